// Draws the recipe page of the 20 kg adult dog fed beef, rice, feed lime,
// zinc gluconate and potassium iodide into a PNG file, for two meals a day
// and a batch for a week: recipe_shot FILE [DE|US] [de|en]. The second
// argument is the program's language, the third the recipe's. Run it under
// a display server (xvfb-run -a); the picture is the one in doc/screenshots.

#include "DogCaseShot.h"
#include "app/gui/CaseSheet.h"
#include "output/gui/RecipePageView.h"

#include <QApplication>
#include <QComboBox>
#include <QSpinBox>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: recipe_shot FILE.png [DE|US] [de|en]\n");
        return 2;
    }
    const QString language = argc >= 3 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("DE");
    const QString recipeLanguage = argc == 4 ? QString::fromLocal8Bit(argv[3]) : QString();
    DogCaseShot shot("recipe_shot");
    if (!shot.open(language))
        return 1;
    shot.feed({{2, "287,5"}, {89, "233"}, {157, "4,3"}, {161, "0,12"}, {165, "0,004"}});
    auto* sheet = shot.area().findChild<CaseSheet*>();
    sheet->setCurrentIndex(1);
    DogCaseShot::settle();
    auto* recipe = qobject_cast<RecipePageView*>(sheet->pageContent(1));
    if (!recipe) {
        std::fprintf(stderr, "recipe_shot: no recipe page\n");
        return 1;
    }
    recipe->daysBox()->setValue(7);
    if (!recipeLanguage.isEmpty()) {
        QComboBox* list = recipe->languageList();
        list->setCurrentIndex(list->findData(recipeLanguage == QLatin1String("en") ? QStringLiteral("US")
                                                                                   : QStringLiteral("DE")));
        emit list->activated(list->currentIndex());
    }
    DogCaseShot::settle();
    if (!shot.area().grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "recipe_shot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
