#pragma once

#include <QLabel>
#include <QWidget>
#include <array>

class CardDocument;

// A text line on the card: a label that knows its text and place but draws nothing
// itself (the card view draws every layer in one pass). A left click reports it.
class TextLineLabel : public QLabel {
    Q_OBJECT
public:
    explicit TextLineLabel(QWidget *parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// The card canvas "Kaart". It paints the whole card through CardPainter and carries
// the layers as child widgets for their place and size: the outline "Shape1", the
// lines "Regel(1)".."Regel(7)" and the stamp box "Orgineel" (on top, so it takes the
// clicks on lines beneath it).
class CardView : public QWidget {
    Q_OBJECT
public:
    explicit CardView(CardDocument &document, QWidget *parent = nullptr);

    TextLineLabel *textLine(int line) const { return m_lines[size_t(line)]; }

Q_SIGNALS:
    void textLineClicked(int line);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void followDocument();

    CardDocument &m_document;
    QWidget *m_outline;
    std::array<TextLineLabel *, 8> m_lines{};
    QWidget *m_stamp;
};
