#pragma once

#include "core/Card.h"
#include "print/FaceGeometry.h"

#include <QImage>
#include <QLabel>
#include <QTransform>
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

// The card area "Kaart". It paints the whole card in one of two views and carries the
// layers as child widgets for their place and size: the outline "Shape1", the lines
// "Regel(1)".."Regel(7)" and the stamp box "Orgineel" (on top, so it takes the clicks on
// lines beneath it).
//
// The canvas view paints the designer's 440 x 270 canvas through CardPainter. The
// printed view paints the card as the printer draws it, by the sheet's own routine: in
// its C x D shape at the largest whole resolution that fits the area, centred, every line
// at its printed size. Either way the card's places are canvas pixels, which the view
// maps onto its own pixels (canvasToView), so whoever edits the card works in one set of
// units whichever view is shown.
class CardView : public QWidget {
    Q_OBJECT
public:
    explicit CardView(CardDocument &document, QWidget *parent = nullptr);

    TextLineLabel *textLine(int line) const { return m_lines[size_t(line)]; }

    bool isPrinted() const { return m_printed; }
    void setPrinted(bool printed);
    // Canvas pixels onto the view's own pixels.
    QTransform canvasToView() const;
    // Where the shown face's items stand as this view shows them, in canvas pixels.
    const FaceGeometry &geometry() const { return m_geometry; }
    // The card's rectangle in the view's pixels: the whole area on the canvas.
    QRect cardRect() const;
    // The printed view's resolution, in dots per inch.
    int printedDpi() const;
    // Whether whoever draws over the card shows the safety margin ("Veilige rand").
    bool showsSafetyMargin() const { return m_safetyMargin; }
    void setSafetyMargin(bool shown);

    // The card's size on paper changed (the margins dialog): the printed view's shape
    // and the millimetres of either view follow it.
    void followSheet();

Q_SIGNALS:
    void textLineClicked(int line);
    // The view or its mapping changed: whatever it draws over the card follows.
    void viewChanged();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void followDocument();
    QSizeF cardMm() const;

    CardDocument &m_document;
    QWidget *m_outline;
    std::array<TextLineLabel *, 8> m_lines{};
    QWidget *m_stamp;
    bool m_printed = false;
    bool m_safetyMargin = false;
    FaceGeometry m_geometry;
    // The card as shown: the shown side, with the shown person's lines.
    Card m_shown;
    // The printed view's background, scaled once for the canvas picture, resolution and
    // card size it was drawn for; each paint draws the rest of the card over a copy.
    struct PrintedBackground {
        qint64 canvasKey = 0;
        int dpi = 0;
        QSizeF cardMm;
        QImage image;
    };
    PrintedBackground m_background;
};
