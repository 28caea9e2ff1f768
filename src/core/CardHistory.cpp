#include "core/CardHistory.h"

void CardHistory::push(Step step)
{
    while (m_steps.size() > m_current) {
        m_bytes -= m_steps.back().bytes;
        m_steps.pop_back();
    }
    if (m_clean > qsizetype(m_current))
        m_clean = -1;

    // Merging into a saved step would lose the saved card from the history.
    if (step.mergeKey != 0 && !m_steps.empty() && m_steps.back().mergeKey == step.mergeKey
        && m_clean != qsizetype(m_current)) {
        Step &last = m_steps.back();
        last.after = std::move(step.after);
        last.parts |= step.parts;
        m_bytes -= last.bytes;
        // A drag that ends where it began is no step at all.
        if (last.after == last.before) {
            m_steps.pop_back();
            --m_current;
            return;
        }
        last.bytes = last.after.pictureBytesBeyond(last.before);
        m_bytes += last.bytes;
        packOlderPrintCopies();
        return;
    }
    step.bytes = step.after.pictureBytesBeyond(step.before);
    m_bytes += step.bytes;
    m_steps.push_back(std::move(step));
    ++m_current;
    packOlderPrintCopies();
    // The newest step always stays, however large, so that it can be undone.
    while (m_bytes > m_budget && m_steps.size() > 1)
        dropOldest();
}

void CardHistory::setByteBudget(qsizetype budget)
{
    m_budget = budget;
    while (m_bytes > m_budget && m_steps.size() > 1 && m_current > 0)
        dropOldest();
}

void CardHistory::packOlderPrintCopies()
{
    if (m_steps.size() <= StepsWithPrintCopies)
        return;
    // Steps before these were packed when they passed this point. A step's card before
    // is the card after the step before it: mostly the very same pixels, packed once.
    const size_t index = m_steps.size() - StepsWithPrintCopies - 1;
    Step &step = m_steps[index];
    const Card *earlier = index > 0 ? &m_steps[index - 1].after : nullptr;
    step.before.canvas.packPrintCopies(earlier ? &earlier->canvas : nullptr);
    step.after.canvas.packPrintCopies(&step.before.canvas);
    if (step.before.back)
        step.before.back->canvas.packPrintCopies(earlier && earlier->back ? &earlier->back->canvas : nullptr);
    if (step.after.back)
        step.after.back->canvas.packPrintCopies(step.before.back ? &step.before.back->canvas : nullptr);
    m_bytes -= step.bytes;
    step.bytes = step.after.pictureBytesBeyond(step.before);
    m_bytes += step.bytes;
}

void CardHistory::dropOldest()
{
    m_bytes -= m_steps.front().bytes;
    m_steps.pop_front();
    --m_current;
    m_clean = m_clean > 0 ? m_clean - 1 : -1;
}
