// The toolkit's own dialogs speak Dutch whatever the system's language: ctest runs this
// under LANG=en_US.UTF-8 and under LANG=C.
#include "program/DutchLanguage.h"
#include "window/MainWindow.h"
#include "window/WidgetQuestions.h"
#include "core/CardDocument.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs `inspect` on the modal dialog of type T once it shows; `inspect` closes it.
template <typename T>
void whenShown(std::function<void(T *)> inspect)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, inspect] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            inspect(dialog);
        }
    });
    poll->start(10);
}

QStringList buttonTexts(const QWidget *dialog)
{
    QStringList texts;
    for (const QPushButton *button : dialog->findChildren<QPushButton *>())
        if (button->isVisible())
            texts << button->text().remove(QLatin1Char('&'));
    return texts;
}

class DutchDialogs : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(DutchLanguage::install(*qApp)); }
    static void TearDownTestSuite() { QLocale::setDefault(QLocale::c()); }
    QTemporaryDir dir;
};

TEST_F(DutchDialogs, TheExitQuestionAsksJaOrNee)
{
    CardDocument document;
    WidgetQuestions questions;
    MainWindow window(document, questions, dir.filePath(QStringLiteral("Lumovander.ini")));
    questions.setParentWindow(&window);
    window.show();
    QStringList seen;
    whenShown<QMessageBox>([&seen](QMessageBox *box) {
        seen = buttonTexts(box);
        box->button(QMessageBox::No)->click();
    });
    EXPECT_FALSE(window.close());
    seen.sort();
    EXPECT_EQ(seen, (QStringList{"Ja", "Nee"}));
}

TEST_F(DutchDialogs, TheFileDialogsOpenAndSaveInDutchAndWideEnoughForTheirColumns)
{
    WidgetQuestions questions;
    for (const bool save : {false, true}) {
        QStringList seen;
        int width = 0;
        whenShown<QFileDialog>([&](QFileDialog *dialog) {
            // Qt's own dialog, not the desktop's: only that one is translated by us.
            EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
            seen = buttonTexts(dialog);
            width = dialog->width();
            dialog->reject();
        });
        if (save)
            questions.saveFileName(QStringLiteral(" Opslaan"), QStringLiteral("Pdf|*.pdf"), QStringLiteral("a.pdf"));
        else
            questions.openFileName(QStringLiteral("Foto|*.jpg"));
        EXPECT_TRUE(seen.contains(save ? "Opslaan" : "Openen")) << seen.join(',').toStdString();
        EXPECT_TRUE(seen.contains("Annuleren")) << seen.join(',').toStdString();
        EXPECT_GE(width, 780);
    }
}

TEST_F(DutchDialogs, TheFontDialogOpensOnTheFamilyTheCardShows)
{
    WidgetQuestions questions;
    const QString drawnBy = QFontInfo(QFont(QStringLiteral("Arial"), 16)).family();
    QString offered;
    whenShown<QFontDialog>([&offered](QFontDialog *dialog) {
        offered = dialog->currentFont().family();
        dialog->accept();
    });
    const auto chosen = questions.chooseFont(QFont(QStringLiteral("Arial"), 16));
    EXPECT_EQ(offered, drawnBy);
    ASSERT_TRUE(chosen.has_value());
    // Taken unchanged, the card keeps the name it asked for.
    EXPECT_EQ(chosen->family(), QStringLiteral("Arial"));
    EXPECT_EQ(chosen->pointSize(), 16);
}

TEST_F(DutchDialogs, TheInfoLinesDateUsesDutchNames)
{
    CardDocument document;
    WidgetQuestions questions;
    MainWindow window(document, questions, dir.filePath(QStringLiteral("Lumovander.ini")));
    // Seconds 12..17 show the date.
    window.setClock([] { return QDateTime(QDate(2026, 12, 7), QTime(9, 30, 14)); });
    window.updateInfoLine();
    EXPECT_EQ(window.findChild<QLabel *>(QStringLiteral("InfoRegel"))->text(),
              QStringLiteral("Het is nu maandag 7 december 2026 / 9:30:14"));
}

} // namespace
