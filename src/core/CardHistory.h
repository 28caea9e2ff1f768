#pragma once

#include "core/Card.h"

#include <QString>
#include <deque>

// The undo history of the card: each step keeps the whole card before and after it.
// Cards share their pictures, so a step costs only the pictures it changed; those
// bytes are counted and the oldest steps are dropped once they pass the budget.
//
// Not QUndoStack: that one bounds only the number of steps, and only while empty.
class CardHistory {
public:
    static constexpr qsizetype DefaultByteBudget = 100 * 1024 * 1024;
    // A canvas print copy is some 8 MB, so the budget would hold only a dozen picture
    // steps. Steps further back than these keep the canvas's print copies packed (a
    // JPEG of about 1 MB, see PrintCopy::pack): packing costs a few tens of milliseconds
    // once per picture step, and undoing far is rare. (A stamp's print copy is a fifth
    // of that and stays as it is.)
    static constexpr size_t StepsWithPrintCopies = 6;

    // Which parts of the card a step changed, so that undoing it tells the views.
    enum Part : unsigned {
        Text = 1,
        Canvas = 2,
        Layout = 4,
        Stamp = 8,
        Border = 16,
        StampBorderStyle = 32,
        // Styles, places and placed objects.
        Design = 64,
        Everything = 127,
    };

    struct Step {
        QString name;
        Card before;
        Card after;
        unsigned parts = 0;
        // Consecutive steps with the same non-zero key become one (a colour bar dragged).
        int mergeKey = 0;
        qsizetype bytes = 0;
        // The side the step was made on, which undoing or redoing it shows again.
        CardSide side = CardSide::Front;
    };

    // Adds a step after the current one, dropping the steps that could be redone.
    void push(Step step);

    bool canUndo() const { return m_current > 0; }
    // The merge key of the step undo() would take, while new steps may still merge into it.
    int openMergeKey() const { return canUndo() && m_current == m_steps.size() ? m_steps.back().mergeKey : 0; }
    bool canRedo() const { return m_current < m_steps.size(); }
    // The step undo() or redo() would take; only valid when it can.
    const Step &undoStep() const { return m_steps[m_current - 1]; }
    const Step &redoStep() const { return m_steps[m_current]; }
    // Moves back or forward over one step and returns it.
    const Step &undo() { return m_steps[--m_current]; }
    const Step &redo() { return m_steps[m_current++]; }

    // The card as it is now is the one saved (or opened) last.
    void markClean() { m_clean = m_current; }
    bool isClean() const { return m_clean == qsizetype(m_current); }

    qsizetype stepCount() const { return qsizetype(m_steps.size()); }
    qsizetype bytes() const { return m_bytes; }
    void setByteBudget(qsizetype budget);

private:
    void dropOldest();
    void packOlderPrintCopies();

    std::deque<Step> m_steps;
    size_t m_current = 0;
    // Where the saved card lies in the history; -1 once that card can no longer be reached.
    qsizetype m_clean = 0;
    qsizetype m_bytes = 0;
    qsizetype m_budget = DefaultByteBudget;
};
