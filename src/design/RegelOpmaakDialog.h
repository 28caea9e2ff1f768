#pragma once

#include "design/LineStyleQuestion.h"

#include <QColor>
#include <QDialog>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class Questions;

// The style dialog of one line "RegelOpmaakDialog": font, size in card points (with
// what it prints at beside it), bold, italic, underline, colour and alignment. "Zoals
// de kaart" lets the line follow the card's font and colour again; the font controls
// then show the card's, and changing any of them makes that the line's own. "Ok" closes
// with chosen(), "Cancel" without.
class RegelOpmaakDialog : public QDialog {
    Q_OBJECT
public:
    RegelOpmaakDialog(int line, const LineStyle &current, const LineFont &cardFont, Questions &questions,
                      QWidget *parent = nullptr);

    LineStyle chosen() const;

private:
    void buildControls();
    void showFont(const LineFont &font);
    void followCard(bool card);
    void ownFont();
    void showPrintedSize();
    void chooseColour();
    void showColour();

    int m_line;
    LineFont m_cardFont;
    Questions &m_questions;
    QColor m_colour;
    bool m_showing = false;
    // The name of the font last shown and the family the combo box showed it as.
    QString m_shownName;
    QString m_shownFamily;
    QFontComboBox *m_family = nullptr;
    QSpinBox *m_size = nullptr;
    QLabel *m_onPaper = nullptr;
    QCheckBox *m_bold = nullptr;
    QCheckBox *m_italic = nullptr;
    QCheckBox *m_underline = nullptr;
    QPushButton *m_colourButton = nullptr;
    QComboBox *m_align = nullptr;
    QCheckBox *m_asCard = nullptr;
};
