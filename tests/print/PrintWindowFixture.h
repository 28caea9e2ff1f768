#pragma once

#include "FakePrinter.h"
#include "app/WindowFixture.h"
#include "print/ui/PrintCommands.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

// The designer window with the print commands on a printer whose pages land in a PDF,
// under the Dutch locale the margin fields are typed in, and the means to work the
// print dialogs as a user does.
class PrintWindowFixture : public WindowFixture {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
        installPrintCommands(window, printer, [this](double seconds) { wait(seconds); });
        window.show();
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    // Opens the dialog of a menu item and acts on it once it shows; whatever is still
    // open afterwards is cancelled.
    void withDialog(const QString &item, const std::function<void(QDialog &)> &act)
    {
        bool shown = false;
        QTimer::singleShot(0, &window, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            shown = true;
            act(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        trigger(item);
        EXPECT_TRUE(shown) << item.toStdString();
    }

    template <typename T = QWidget>
    static T *in(QDialog &dialog, const QString &name)
    {
        T *found = dialog.findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    static void click(QDialog &dialog, const QString &button)
    {
        QTest::mouseClick(in<QPushButton>(dialog, button), Qt::LeftButton);
    }
    static void retype(QLineEdit *edit, const QString &text)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    // The blue of the test cards' canvas, as it comes back from a rendered page.
    static bool isBlue(QRgb c) { return qBlue(c) > 200 && qRed(c) < 60 && qGreen(c) < 60; }

    // What the print commands wait with between the scan animation's steps: not at all,
    // unless a test says otherwise.
    std::function<void(double)> wait = [](double) {};
    QString printerPages = dir.filePath(QStringLiteral("printer.pdf"));
    FakePrinter printer{printerPages};
};
