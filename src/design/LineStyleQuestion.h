#pragma once

#include "core/CardDesign.h"

#include <optional>

class QWidget;
class Questions;

// What the line style dialog answers: the line's own font and colour (none: the card's
// again) and its alignment.
struct LineStyle {
    std::optional<LineFont> font;
    LineAlign align = LineAlign::Left;

    bool operator==(const LineStyle &) const = default;
};

// The question "Opmaak van deze regel…", so that tests can answer it without a screen.
class LineStyleQuestion {
public:
    virtual ~LineStyleQuestion() = default;
    // Opened on the line's current style; cardFont is what "Zoals de kaart" shows.
    // nullopt when cancelled.
    virtual std::optional<LineStyle> askLineStyle(int line, const LineStyle &current, const LineFont &cardFont) = 0;
};

// The question as the window asks it: RegelOpmaakDialog, modal over parent, its colour
// asked through questions.
class DialogLineStyleQuestion : public LineStyleQuestion {
public:
    DialogLineStyleQuestion(Questions &questions, QWidget *parent) : m_questions(questions), m_parent(parent) {}
    std::optional<LineStyle> askLineStyle(int line, const LineStyle &current, const LineFont &cardFont) override;

private:
    Questions &m_questions;
    QWidget *m_parent;
};
