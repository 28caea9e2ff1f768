#pragma once

#include "core/CardCanvas.h"
#include "core/CardState.h"
#include "core/PrintSettings.h"
#include "core/StampBox.h"

#include <QFont>
#include <QObject>

// The card being designed, with the print settings beside it: the model that the
// main window, the dialogs and the batch tool all work on. Views listen to the
// signals and repaint; they keep no card data of their own.
class CardDocument : public QObject {
    Q_OBJECT
public:
    enum Channel { Red, Green, Blue };

    explicit CardDocument(QObject *parent = nullptr);

    CardState &state() { return m_state; }
    const CardState &state() const { return m_state; }
    PrintSettings &printSettings() { return m_print; }
    const PrintSettings &printSettings() const { return m_print; }
    CardCanvas &canvas() { return m_canvas; }
    const CardCanvas &canvas() const { return m_canvas; }
    StampBox &stamp() { return m_stamp; }
    const StampBox &stamp() const { return m_stamp; }

    // Applies a layout: places the stamp box and the text lines, empties the stamp box
    // (showing the bare frame of the current border style) and records the layout.
    void applyLayout(int kind);

    // The outline items 1..4: "Geen", "Zwart", "Grijs", "Wit".
    void chooseBorderItem(int item);
    // Which outline item carries the check mark: 1..4, or 0 when none does (a card
    // read with an outline colour that is none of the three).
    int checkedBorderItem() const { return m_checkedBorderItem; }
    void setCheckedBorderItem(int item);

    // The stamp border options 1..4 choose the frame styles 1, 3, 5, 7. The stamp on
    // the card keeps its frame until the next cut or layout choice.
    void chooseStampBorderOption(int option);
    // The option whose style is current, 1..4.
    int stampBorderOption() const { return (m_state.StampBorderStyle + 1) / 2; }

    // What the user typed for text line 1..7. Nothing (or a cancelled input) keeps the
    // line, so a line can never be emptied; a single blank is stored as two so that
    // the line keeps a width to click on. Returns whether the line changed.
    bool enterTextLine(int line, const QString &answer);

    // Takes name, size (to the nearest whole point, halves to the even neighbour),
    // bold, italic and underline from a font chosen in the font dialog.
    void applyChosenFont(const QFont &font);

    // A colour bar moved. Moving a bar to the value it already has changes nothing;
    // a new background colour erases what was drawn on the canvas.
    void setTextColorComponent(Channel channel, int value);
    void setBackColorComponent(Channel channel, int value);

    // "Nieuw": the card's text, colours, background, layout, outline and names back to
    // their start values. The stamp border style, the outline colour components, the
    // stamp box's picture and the print settings stay. ZoomedView starts afresh too:
    // the photo panel narrows when it hears cardRenewed.
    void newCard();

    // The caption of the status item `NaamBestand`: the card or template last opened,
    // or the photo last loaded; "*.*" when there is none.
    const QString &nameCaption() const { return m_nameCaption; }
    void setNameCaption(const QString &caption);

    // Signals that a part of the card changed, for the views.
    void notifyCanvasChanged() { Q_EMIT canvasChanged(); }
    void notifyStampChanged() { Q_EMIT stampChanged(); }
    void notifyTextChanged() { Q_EMIT textChanged(); }

    // ---- Unsaved changes (a plain flag until the card keeps an undo history) ----
    // True when the card changed since it was last saved, opened or renewed.
    bool isModified() const { return m_modified; }
    void setModified(bool modified);
    // ---- end of unsaved changes ----

Q_SIGNALS:
    void canvasChanged();
    void stampChanged();
    // Text lines, font or text colour.
    void textChanged();
    void layoutChanged();
    void borderChanged();
    void stampBorderStyleChanged();
    void nameCaptionChanged();
    // After newCard(): views put back what they show of their own (the start picture).
    void cardRenewed();
    void modifiedChanged(bool modified);

private:
    CardState m_state;
    PrintSettings m_print;
    CardCanvas m_canvas;
    StampBox m_stamp;
    int m_checkedBorderItem = 1;
    QString m_nameCaption = QStringLiteral("*.*");
    bool m_modified = false;
};
