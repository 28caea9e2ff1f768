#include "print/MarginsForm.h"
#include "support/ScriptedQuestions.h"

#include <gtest/gtest.h>

namespace {

const QLocale Dutch(QLocale::Dutch, QLocale::Netherlands);        // writes 12,5
const QLocale English(QLocale::English, QLocale::UnitedStates);   // writes 12.5

} // namespace

TEST(MarginsFieldCheck, FifthCharacterEmptiesTheWholeField)
{
    MarginsForm form(PrintSettings(), Dutch);
    form.setFieldText(1, QStringLiteral("12,3"));
    EXPECT_EQ(form.fieldText(1), QStringLiteral("12,3"));
    form.setFieldText(1, QStringLiteral("12,34"));
    EXPECT_EQ(form.fieldText(1), QString());
}

TEST(MarginsFieldCheck, LetterEmptiesTheField)
{
    MarginsForm form(PrintSettings(), Dutch);
    form.setFieldText(3, QStringLiteral("90a"));
    EXPECT_EQ(form.fieldText(3), QString());
    form.setFieldText(3, QStringLiteral("e"));
    EXPECT_EQ(form.fieldText(3), QString());
}

TEST(MarginsFieldCheck, MinusIntoEmptyFieldEmptiesItButMinusBeforeDigitsStays)
{
    MarginsForm form(PrintSettings(), Dutch);
    form.setFieldText(6, QString());
    form.setFieldText(6, QStringLiteral("-"));
    EXPECT_EQ(form.fieldText(6), QString());
    form.setFieldText(6, QStringLiteral("5"));
    form.setFieldText(6, QStringLiteral("-5"));
    EXPECT_EQ(form.fieldText(6), QStringLiteral("-5"));
}

TEST(MarginsFieldCheck, StoredTextLongerThanFourShowsEmptyWhenOpened)
{
    PrintSettings s;
    s.PrintMarginA = GeneralValue("12,345");
    s.PrintMarginB = GeneralValue("22,5");
    MarginsForm form(s, Dutch);
    EXPECT_EQ(form.fieldText(1), QString());
    EXPECT_EQ(form.fieldText(2), QStringLiteral("22,5"));
    EXPECT_EQ(form.fieldText(3), QStringLiteral("90"));
}

TEST(MarginsFieldCheck, DecimalSeparatorIsTheLocales)
{
    MarginsForm dutch(PrintSettings(), Dutch);
    dutch.setFieldText(5, QStringLiteral("2,5"));
    EXPECT_EQ(dutch.fieldText(5), QStringLiteral("2,5"));
    dutch.setFieldText(5, QStringLiteral("2,")); // on the way to 2,5
    EXPECT_EQ(dutch.fieldText(5), QStringLiteral("2,"));
    dutch.setFieldText(5, QStringLiteral("2.5"));
    EXPECT_EQ(dutch.fieldText(5), QString());

    MarginsForm english(PrintSettings(), English);
    english.setFieldText(5, QStringLiteral("2.5"));
    EXPECT_EQ(english.fieldText(5), QStringLiteral("2.5"));
    english.setFieldText(5, QStringLiteral("2,5"));
    EXPECT_EQ(english.fieldText(5), QString());
}

TEST(MarginsFieldCheck, StoredNumberWithFractionShowsInTheLocalesWriting)
{
    PrintSettings s;
    s.PrintMarginA = 12.5; // a bare number from a settings file
    EXPECT_EQ(MarginsForm(s, Dutch).fieldText(1), QStringLiteral("12,5"));
    EXPECT_EQ(MarginsForm(s, English).fieldText(1), QStringLiteral("12.5"));
}

TEST(MarginsOk, UneditedDefaultsAreStoredAsTexts)
{
    PrintSettings s;
    MarginsForm form(s, Dutch);
    form.confirm(s);
    EXPECT_EQ(s.PrintMarginA, GeneralValue("15"));
    EXPECT_EQ(s.PrintMarginB, GeneralValue("23"));
    EXPECT_EQ(s.CardWidthMm, GeneralValue("90"));
    EXPECT_EQ(s.CardHeightMm, GeneralValue("50"));
    EXPECT_EQ(s.PrintOffsetH, GeneralValue("0"));
    EXPECT_TRUE(s.PrintOffsetH.isText());
    EXPECT_EQ(s.PrintOffsetV, 0);
    EXPECT_EQ(s.CardsPerSheet, 10);
}

TEST(MarginsOk, ColumnGapRoundsHalvesToEvenOthersKeepTheirText)
{
    PrintSettings s;
    MarginsForm form(s, Dutch);
    form.setFieldText(5, QStringLiteral("2,5"));
    form.setFieldText(6, QStringLiteral("2,5"));
    form.confirm(s);
    EXPECT_EQ(s.PrintOffsetV, 2);
    EXPECT_EQ(s.PrintOffsetH, GeneralValue("2,5"));

    form.setFieldText(6, QStringLiteral("3,5"));
    form.confirm(s);
    EXPECT_EQ(s.PrintOffsetV, 4);

    form.setFieldText(6, QStringLiteral("2,6"));
    form.confirm(s);
    EXPECT_EQ(s.PrintOffsetV, 3);

    form.setFieldText(6, QStringLiteral("-2,5"));
    form.confirm(s);
    EXPECT_EQ(s.PrintOffsetV, -2);
}

TEST(MarginsOk, EmptyFieldOrOtherCardCountKeepsThePreviousValue)
{
    PrintSettings s;
    s.PrintMarginA = GeneralValue("14");
    s.PrintOffsetV = 3;
    s.CardsPerSheet = 8;
    MarginsForm form(s, Dutch);
    form.setFieldText(1, QStringLiteral("x")); // emptied by the check
    form.setFieldText(6, QString());
    form.setCardCountText(QStringLiteral("7"));
    form.confirm(s);
    EXPECT_EQ(s.PrintMarginA, GeneralValue("14"));
    EXPECT_EQ(s.PrintOffsetV, 3);
    EXPECT_EQ(s.CardsPerSheet, 8);

    form.setCardCountText(QStringLiteral("10"));
    form.confirm(s);
    EXPECT_EQ(s.CardsPerSheet, 10);
}

// "Ok" says which value the sheet would not print as typed, and a value it prints
// as typed (a strip of 5 mm, cards running off the page) is no problem.
TEST(MarginsOk, ValuesThatWouldNotPrintAsTypedAreNamedWithWhatCanPrint)
{
    MarginsForm form(PrintSettings(), Dutch);
    form.setFieldText(3, QStringLiteral("250"));
    form.setFieldText(4, QStringLiteral("5"));
    EXPECT_TRUE(form.problems().isEmpty());

    form.setFieldText(1, QStringLiteral("9999"));
    form.setFieldText(4, QStringLiteral("0,5"));
    form.setFieldText(6, QStringLiteral("-60"));
    const QList<MarginsForm::FieldProblem> problems = form.problems();
    ASSERT_EQ(problems.size(), 3);
    EXPECT_EQ(problems[0].field, 1);
    EXPECT_EQ(problems[1].field, 4);
    EXPECT_EQ(problems[1].message,
              QStringLiteral("D = 0,5 kan niet worden afgedrukt: de hoogte van de kaartjes (D) moet van 1 tot 300 mm zijn."));
    EXPECT_EQ(problems[2].field, 6);
    EXPECT_TRUE(MarginsForm::problemText(problems).contains(QStringLiteral("de linkermarge (A) moet van -50 tot 300")));

    form.setFieldText(4, QString()); // empty keeps the value in force
    EXPECT_EQ(form.problems().size(), 2);
}

TEST(MarginsReset, YesSetsTheDefaultsAtOnceSoCancelKeepsThem)
{
    PrintSettings s;
    s.PrintMarginA = GeneralValue("20");
    s.PrintOffsetV = 4;
    s.CardsPerSheet = 8;
    ScriptedQuestions questions;
    questions.yesNoAnswers = {true};
    {
        MarginsForm form(s, Dutch);
        form.setFieldText(2, QStringLiteral("30"));
        EXPECT_TRUE(form.reset(questions, s));
        EXPECT_EQ(form.fieldText(1), QStringLiteral("15"));
        EXPECT_EQ(form.fieldText(2), QStringLiteral("23"));
        EXPECT_EQ(form.fieldText(6), QStringLiteral("0"));
        EXPECT_EQ(form.cardCountText(), QStringLiteral("10"));
    } // Cancel: the form is dropped without confirm
    EXPECT_EQ(s, PrintSettings());
    EXPECT_TRUE(s.PrintMarginA.isNumber()) << "Reset stores numbers, Ok stores texts";
    EXPECT_EQ(questions.asked, QStringList{QStringLiteral(" Reset|Wilt u de begin marges resetten?")});
}

TEST(MarginsReset, NoChangesNeitherSettingsNorFields)
{
    PrintSettings s;
    s.PrintMarginA = GeneralValue("20");
    ScriptedQuestions questions;
    questions.yesNoAnswers = {false};
    MarginsForm form(s, Dutch);
    form.setFieldText(2, QStringLiteral("30"));
    EXPECT_FALSE(form.reset(questions, s));
    EXPECT_EQ(s.PrintMarginA, GeneralValue("20"));
    EXPECT_EQ(form.fieldText(2), QStringLiteral("30"));
}
