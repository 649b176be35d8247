#include "formula/FormulaTokens.h"

#include <array>
#include <charconv>
#include <limits>
#include <system_error>

namespace formula_engine {

namespace {

struct TokenInfo
{
    std::string_view text;
    int precedence;
};

// Indexed by Op; entry 0 stands for Op::None.
constexpr std::array<TokenInfo, kOperatorCount + 1> kTokens = {{
    {"", 0},    {"if", 22},  {"then", 11}, {"else", 11}, {"elseif", 11}, {"min", 10}, {"max", 10}, {"r", 12},
    {"rd", 12}, {"abs", 20}, {"log", 20},  {"*-", 19},   {"/-", 19},     {"*", 19},   {"/", 19},   {"\\", 19},
    {"%", 18},  {"<<", 17},  {">>", 17},   {"-", 16},    {"+", 16},      {"+-", 16},  {"--", 16},  {"^", 21},
    {"&", 15},  {"|", 15},   {"!|", 15},   {"&&", 13},   {"||", 13},     {"!&", 15},  {"==", 14},  {"<", 14},
    {">", 14},  {">=", 14},  {"<>", 14},   {"<>-", 14},  {"<-", 14},     {">-", 14},  {"<=", 14},
}};

enum CharClass : std::uint8_t {
    kOperatorClass = 1,
    kOperandClass = 2,
    kBlankClass = 4,
};

constexpr std::array<std::uint8_t, 256> makeCharClasses()
{
    std::array<std::uint8_t, 256> classes{};
    for (char c : std::string_view("ifthenelseminmaxrdabslog<>=*/%+-^&|\\!"))
        classes[static_cast<unsigned char>(c)] |= kOperatorClass;
    for (std::size_t c = 'a'; c <= 'z'; ++c)
        classes[c] |= kOperandClass;
    for (std::size_t c = 'A'; c <= 'Z'; ++c)
        classes[c] |= kOperandClass;
    for (std::size_t c = '0'; c <= '9'; ++c)
        classes[c] |= kOperandClass;
    classes['.'] |= kOperandClass;
    for (char c : std::string_view(" \t\n\v\f\r"))
        classes[static_cast<unsigned char>(c)] |= kBlankClass;
    return classes;
}

constexpr std::array<std::uint8_t, 256> kCharClasses = makeCharClasses();

bool hasClass(char c, std::uint8_t charClass)
{
    return (kCharClasses[static_cast<unsigned char>(c)] & charClass) != 0;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// from_chars reports a number too large or too small for a double without a
// value. Operands carry no sign, so the answer is +infinity or 0 depending on
// the decimal magnitude of the number read.
double outOfRangeValue(std::string_view number)
{
    long long magnitude = 0;
    bool seenNonZero = false;
    bool afterPoint = false;
    std::size_t i = 0;
    for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
        const char c = number[i];
        if (c == '.') {
            afterPoint = true;
        } else if (!seenNonZero) {
            if (c != '0') {
                seenNonZero = true;
                if (!afterPoint)
                    ++magnitude;
            } else if (afterPoint) {
                --magnitude;
            }
        } else if (!afterPoint) {
            ++magnitude;
        }
    }
    if (!seenNonZero)
        return 0.0;
    long long exponent = 0;
    bool negativeExponent = false;
    if (++i < number.size() && (number[i] == '+' || number[i] == '-'))
        negativeExponent = number[i++] == '-';
    for (; i < number.size() && exponent < 1'000'000'000; ++i)
        exponent = exponent * 10 + (number[i] - '0');
    magnitude += negativeExponent ? -exponent : exponent;
    return magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

} // namespace

std::string_view operatorText(Op op)
{
    return kTokens[static_cast<std::size_t>(op)].text;
}

int operatorPrecedence(Op op)
{
    return kTokens[static_cast<std::size_t>(op)].precedence;
}

Op findOperator(std::string_view text)
{
    // Every token begins with an operator character; this keeps numbers fast.
    if (text.empty() || !isOperatorChar(text.front()))
        return Op::None;
    for (std::size_t i = 1; i < kTokens.size(); ++i) {
        const std::string_view token = kTokens[i].text;
        if (token.size() == text.size() && token.front() == text.front() && token == text)
            return static_cast<Op>(i);
    }
    return Op::None;
}

bool isOperatorChar(char c)
{
    return hasClass(c, kOperatorClass);
}

bool isOperandChar(char c)
{
    return hasClass(c, kOperandClass);
}

bool isBlank(char c)
{
    return hasClass(c, kBlankClass);
}

double operandValue(std::string_view text)
{
    // from_chars would also take a sign, "inf" or "nan"; a number here starts
    // with a digit or with a point and a digit.
    const bool startsNumber =
        !text.empty() && (isDigit(text[0]) || (text[0] == '.' && text.size() > 1 && isDigit(text[1])));
    if (!startsNumber)
        return 0.0;
    double value = 0.0;
    const char* begin = text.data();
    const auto [end, error] = std::from_chars(begin, begin + text.size(), value);
    if (error == std::errc::result_out_of_range)
        return outOfRangeValue(std::string_view(begin, static_cast<std::size_t>(end - begin)));
    return error == std::errc() ? value : 0.0;
}

} // namespace formula_engine
