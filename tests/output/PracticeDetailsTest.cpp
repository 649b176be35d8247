#include "output/PracticeDetails.h"
#include "core/FileChooser.h"
#include "core/Prompt.h"
#include "output/gui/PracticeDetailsForm.h"
#include "output/gui/PracticeLogo.h"
#include "support/CliRun.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"
#include "ui/gui/ImageContent.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString Hostile = QStringLiteral("Praxis O'Brien'); DELETE FROM T_PRAXIS; --");

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& content)
{
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return file.fileName();
}

QString writeImage(const QTemporaryDir& dir, const QString& name, const char* format)
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString path = dir.filePath(name);
    EXPECT_TRUE(image.save(path, format));
    return path;
}

// An SVG of exactly size bytes, padded with a comment.
QByteArray svgOfSize(qint64 size)
{
    const QByteArray head = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"120\" height=\"60\"><!--";
    const QByteArray tail = "--><rect width=\"120\" height=\"60\" fill=\"green\"/></svg>";
    return head + QByteArray(size - head.size() - tail.size(), 'x') + tail;
}

int praxisRows(TestDatabase& db)
{
    return db.rawValue(QStringLiteral("SELECT count(*) FROM T_PRAXIS")).toInt();
}

// Each field stored on its own comes back in its place, trimmed, the others
// untouched; a quote in the text stays text.
TEST(PracticeDetailsTest, EachFieldRoundTripsAndLeavesTheOthers)
{
    TestDatabase db;
    PracticeDetails base;
    for (const QString& name : PracticeDetails::fieldNames())
        *base.field(name) = QStringLiteral("old ") + name;
    base.logo = "<svg/>";
    for (const QString& name : PracticeDetails::fieldNames()) {
        ASSERT_TRUE(PracticeDetailsStore::write(db.context(), base));
        std::optional<PracticeDetails> details = PracticeDetailsStore::read(db.context());
        ASSERT_TRUE(details);
        *details->field(name) = QStringLiteral("  ") + Hostile + QStringLiteral(" ");
        ASSERT_TRUE(PracticeDetailsStore::write(db.context(), *details));
        const std::optional<PracticeDetails> back = PracticeDetailsStore::read(db.context());
        ASSERT_TRUE(back);
        for (const QString& other : PracticeDetails::fieldNames())
            EXPECT_EQ(*back->field(other), other == name ? Hostile : *base.field(other))
                << name.toStdString();
        EXPECT_EQ(back->logo, base.logo);
        EXPECT_EQ(praxisRows(db), 1);
    }
}

// The columns hold 255 characters; the server counts characters, so 255
// letters outside the BMP fit although they take 510 UTF-16 units, and the
// surrounding blanks that are not stored do not count.
TEST(PracticeDetailsTest, AFieldLongerThanItsColumnIsNamed)
{
    const QString paw = QString::fromUcs4(U"\U0001F43E");
    const struct
    {
        const char* field;
        QString text;
        const char* language;
        QString problem;
    } cases[] = {
        {"name", QString(255, QLatin1Char('a')), "DE", {}},
        {"name", QString(256, QLatin1Char('a')), "DE", "Das Feld „Praxisname“ ist länger als 255 Zeichen."},
        {"web", QString(256, QLatin1Char('a')), "US",
         "The field “Web address” is longer than 255 characters."},
        {"email", QStringLiteral("  ") + QString(255, QLatin1Char('a')) + QStringLiteral("  "), "DE", {}},
        {"phone", paw.repeated(255), "DE", {}},
        {"address2", paw.repeated(256), "US", "The field “Address (line 2)” is longer than 255 characters."},
    };
    TestDatabase db;
    for (const auto& c : cases) {
        PracticeDetails details;
        *details.field(QString::fromLatin1(c.field)) = c.text;
        EXPECT_EQ(details.problem(QString::fromLatin1(c.language)), c.problem) << c.field;
        // What passes fits the column on either engine.
        if (c.problem.isEmpty()) {
            QString error;
            ASSERT_TRUE(PracticeDetailsStore::write(db.context(), details, &error)) << error.toStdString();
            EXPECT_EQ(*PracticeDetailsStore::read(db.context())->field(QString::fromLatin1(c.field)),
                      c.text.trimmed());
        }
    }
}

TEST(PracticeLogoTest, ReadFileTakesImagesOfTwoMegabytesAtMost)
{
    QTemporaryDir dir;
    const QString text = writeFile(dir, QStringLiteral("notes.png"), "just some text\n");
    const struct
    {
        QString path;
        const char* language;
        const char* format; // empty for a refused file
        QString error;
    } cases[] = {
        {writeImage(dir, QStringLiteral("logo.png"), "PNG"), "DE", "png", {}},
        {writeImage(dir, QStringLiteral("logo.jpg"), "JPEG"), "DE", "jpeg", {}},
        {writeImage(dir, QStringLiteral("logo.bmp"), "BMP"), "US", "",
         "The file “" + dir.filePath("logo.bmp") + "” is not a PNG, JPEG or SVG image."},
        {writeFile(dir, QStringLiteral("max.svg"), svgOfSize(PracticeLogo::MaxFileSize)), "DE", "svg", {}},
        {writeFile(dir, QStringLiteral("over.svg"), svgOfSize(PracticeLogo::MaxFileSize + 1)), "DE", "",
         "Das Logo ist größer als 2 MB."},
        {text, "DE", "", "Die Datei „" + text + "“ ist kein Bild im Format PNG, JPEG oder SVG."},
        {dir.filePath("missing.png"), "DE", "",
         "Die Datei „" + dir.filePath("missing.png") + "“ kann nicht gelesen werden."},
        {dir.path(), "US", "", "The file “" + dir.path() + "” cannot be read."},
    };
    for (const auto& c : cases) {
        QString error;
        const std::optional<QByteArray> content =
            PracticeLogo::readFile(c.path, QString::fromLatin1(c.language), error);
        EXPECT_EQ(content.has_value(), *c.format != 0) << c.path.toStdString();
        EXPECT_EQ(error, c.error);
        if (content) {
            EXPECT_EQ(ImageContent::format(*content), QLatin1String(c.format));
        }
    }
}

// The dialog's logic: a refused file changes nothing, a failed store keeps
// the typed text and the stored row, and a second try stores it all.
TEST(PracticeDetailsFormTest, RefusedLogosAndAFailedStoreLoseNothing)
{
    TestDatabase db(TestDatabase::Data::Fixture, QStringLiteral("US"));
    PracticeDetails stored;
    stored.name = QStringLiteral("Old practice");
    stored.logo = svgOfSize(200);
    ASSERT_TRUE(PracticeDetailsStore::write(db.context(), stored));
    QTemporaryDir dir;
    RecordingPrompt prompt;
    RecordingFileChooser files;
    PracticeDetailsForm form(db.context(), prompt, files);
    ASSERT_TRUE(form.load());

    const QString text = writeFile(dir, QStringLiteral("logo.png"), "not an image");
    files.setNextAnswer(text);
    files.setNextAnswer(dir.filePath(QStringLiteral("gone.png")));
    files.setNextAnswer(QString());
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(form.chooseLogo());
    EXPECT_EQ(prompt.texts(), (QStringList{"The file “" + text + "” is not a PNG, JPEG or SVG image.",
                                           "The file “" + dir.filePath("gone.png") + "” cannot be read."}));
    EXPECT_EQ(form.details().logo, stored.logo);
    EXPECT_FALSE(form.isModified());
    ASSERT_EQ(files.requests().size(), 3u);
    EXPECT_EQ(files.requests()[0].filter, QStringLiteral("Images (*.png *.jpg *.jpeg *.svg)"));

    form.setText(QStringLiteral("name"), Hostile);
    form.setText(QStringLiteral("phone"), QStringLiteral("0123 456"));
    files.setNextAnswer(writeImage(dir, QStringLiteral("new.png"), "PNG"));
    ASSERT_TRUE(form.chooseLogo());
    // The old row is deleted before the new one is inserted; the insert fails.
    ASSERT_TRUE(
        db.addTrigger(QStringLiteral("refuse"), QStringLiteral("BEFORE INSERT"), QStringLiteral("T_PRAXIS")));
    prompt.clear();
    EXPECT_FALSE(form.store());
    EXPECT_TRUE(
        prompt.lastText().startsWith(QStringLiteral("The practice details could not be stored.\nReason: ")));
    EXPECT_TRUE(prompt.lastText().contains(QStringLiteral("refused"))) << prompt.lastText().toStdString();
    EXPECT_EQ(form.text(QStringLiteral("name")), Hostile);
    EXPECT_EQ(ImageContent::format(form.details().logo), QStringLiteral("png"));
    EXPECT_EQ(db.rawRows(QStringLiteral("SELECT Name, Telefon FROM T_PRAXIS")),
              QStringList{"Old practice\t"});

    ASSERT_TRUE(db.dropTrigger(QStringLiteral("refuse"), QStringLiteral("T_PRAXIS")));
    form.setText(QStringLiteral("web"), QStringLiteral("praxis.example"));
    ASSERT_TRUE(form.store());
    EXPECT_FALSE(form.isModified());
    const std::optional<PracticeDetails> back = PracticeDetailsStore::read(db.context());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->name, Hostile);
    EXPECT_EQ(back->contactLine(), QStringLiteral("0123 456 · praxis.example"));
    EXPECT_EQ(back->logo, form.details().logo);
}

TEST(CliPracticeTest, PracticePrintsSetsAndRefuses)
{
    TestDatabase db;
    QTemporaryDir dir;
    const QString jpeg = writeImage(dir, QStringLiteral("logo.jpg"), "JPEG");
    const QString text = writeFile(dir, QStringLiteral("logo.svg"), "<svg but not really");
    const struct
    {
        CliArgs args;
        int status;
        QString err;     // the start of standard error
        QString changed; // the line of `practice` that differs from before
    } steps[] = {
        {{"practice", "set", "name", Hostile.toStdString()}, 0, {}, "practice\tname\t" + Hostile},
        {{"practice", "set", "Address2", " 12345 Stadt "}, 0, {}, "practice\taddress2\t12345 Stadt"},
        {{"practice", "set", "fax", "0123"}, 2, "mensoly-cli practice: no field 'fax'\nusage: ", {}},
        {{"practice", "set", "email", std::string(256, 'e')},
         1,
         "mensoly-cli practice: Das Feld „E-Mail“ ist länger als 255 Zeichen.",
         {}},
        {{"practice", "logo", jpeg.toStdString()}, 0, {}, "practice\tlogo\tjpeg"},
        {{"practice", "logo", text.toStdString()},
         1,
         "mensoly-cli practice: Die Datei „" + text + "“ ist kein Bild im Format PNG, JPEG oder SVG.",
         {}},
        {{"practice", "logo", dir.filePath("none.png").toStdString()},
         1,
         "mensoly-cli practice: Die Datei „" + dir.filePath("none.png") + "“ kann nicht gelesen werden.",
         {}},
        {{"practice", "logo", "--remove"}, 0, {}, "practice\tlogo\t"},
        {{"practice", "logo"}, 2, "usage: ", {}},
    };
    CliRun before = runCliIn(db.directory(), {"practice"});
    ASSERT_EQ(before.status, 0) << before.err.toStdString();
    ASSERT_EQ(before.lines.size(), 7);
    for (const auto& step : steps) {
        const CliRun run = runCliIn(db.directory(), step.args);
        EXPECT_EQ(run.status, step.status) << run.err.toStdString();
        EXPECT_TRUE(run.err.startsWith(step.err)) << run.err.toStdString();
        const CliRun after = runCliIn(db.directory(), {"practice"});
        ASSERT_EQ(after.lines.size(), 7);
        QStringList changed;
        for (qsizetype i = 0; i < after.lines.size(); ++i) {
            if (after.lines[i] != before.lines[i])
                changed << after.lines[i];
        }
        EXPECT_EQ(changed, step.changed.isNull() ? QStringList() : QStringList{step.changed})
            << step.args.back();
        before = after;
    }
    EXPECT_EQ(praxisRows(db), 1);
    // The messages speak the language of the settings row.
    ASSERT_TRUE(db.rawExec(QStringLiteral("UPDATE T_MSYV3SEC SET Sprache = 'US'")));
    const QString over = writeFile(dir, QStringLiteral("big.svg"), svgOfSize(PracticeLogo::MaxFileSize + 1));
    const CliRun run = runCliIn(db.directory(), {"practice", "logo", over.toStdString()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, QStringLiteral("mensoly-cli practice: The logo is larger than 2 MB.\n"));
}

} // namespace
