#pragma once

#include "core/Card.h"
#include "core/CardHistory.h"
#include "core/PrintSettings.h"

#include <QFont>
#include <QObject>
#include <functional>

// The card being designed, with the print settings beside it: the model that the
// main window, the dialogs and the batch tool all work on, and the only code that
// changes the card. Each change is one undo step and announces itself with the
// signal of the part it changed; views listen and repaint, keeping no card data.
class CardDocument : public QObject {
    Q_OBJECT
public:
    using Channel = CardFace::Channel;
    static constexpr Channel Red = CardFace::Red;
    static constexpr Channel Green = CardFace::Green;
    static constexpr Channel Blue = CardFace::Blue;

    explicit CardDocument(QObject *parent = nullptr);

    const Card &card() const { return m_card; }
    // The side the window shows and edits: the face commands change, and whose fields,
    // canvas and design the three accessors below give. Showing a side is no step.
    CardSide shownSide() const { return m_side; }
    void showSide(CardSide side);
    // The shown face. The back of a card without one is the blank back it gets on its
    // first change (CardFace::blankBack), so nothing is added by looking at it.
    const CardFace &shownFace() const;
    // The shown side as a card of its own, for what measures and draws items on it:
    // the back has no stamp. The QR dialog takes card(): codes follow the front's lines.
    Card shownCard() const;
    bool hasBack() const { return m_card.back.has_value(); }
    // "Achterkant verwijderen": one step; the front is shown.
    void removeBack();
    const CardState &state() const { return shownFace().state; }
    const CardCanvas &canvas() const { return shownFace().canvas; }
    const StampBox &stamp() const { return m_card.stamp; }
    // The print settings belong to the program, not to the card: no undo step.
    PrintSettings &printSettings() { return m_print; }
    const PrintSettings &printSettings() const { return m_print; }

    // Applies a layout: places the stamp box and the text lines, empties the stamp box
    // (showing the bare frame of the current border style) and records the layout.
    void applyLayout(int kind);

    // The outline items 1..4: "Geen", "Zwart", "Grijs", "Wit".
    void chooseBorderItem(int item);
    // Which outline item carries the check mark: 1..4, or 0 when none does (a card
    // read with an outline colour that is none of the three).
    int checkedBorderItem() const { return m_card.checkedBorderItem; }

    // The stamp border options 1..4 choose the frame styles 1, 3, 5, 7. The stamp on
    // the card keeps its frame until the next cut or layout choice.
    void chooseStampBorderOption(int option);
    // The option whose style is current, 1..4.
    int stampBorderOption() const { return (m_card.state.StampBorderStyle + 1) / 2; }

    // What the user typed for text line 1..7. Nothing (or a cancelled input) keeps the
    // line, so a line can never be emptied; a single blank is stored as two so that
    // the line keeps a width to click on. Returns whether the line changed.
    bool enterTextLine(int line, const QString &answer);

    // Takes name, size (to the nearest whole point, halves to the even neighbour),
    // bold, italic and underline from a font chosen in the font dialog.
    void applyChosenFont(const QFont &font);

    // A colour bar moved. Moving a bar to the value it already has changes nothing;
    // a new background colour erases what was drawn on the canvas. Consecutive moves
    // of one set of bars are one step.
    void setTextColorComponent(Channel channel, int value);
    void setBackColorComponent(Channel channel, int value);

    // Design: a style and a place per line, the stamp's place, placed objects. Each
    // change is one step named after its item ("Regel 3 verplaatst"). The card font
    // and the text colour bars leave a line with a font of its own alone.
    const CardDesign &design() const { return shownFace().design; }
    bool hasItem(CardItem item) const;
    // "Regel 3", "Zegelfoto", "Logo".
    QString itemName(CardItem item) const;
    // A line's own font and colour (none: the card's again) and its alignment.
    void restyleLine(int line, const std::optional<LineFont> &font, LineAlign align);
    // An item's place: a line's or the stamp's offset from its layout place, an
    // object's top-left corner, in canvas pixels.
    QPointF itemPlace(CardItem item) const;
    // Consecutive moves with the same non-zero mergeKey are one step: one drag
    // (newGestureKey()) or one series of arrow-key nudges of one item (nudgeKey()).
    void moveItem(CardItem item, QPointF place, int mergeKey = 0);
    // "Terug naar de plaats van de layout", for a line or the stamp.
    void returnToLayoutPlace(CardItem item);
    // A QR code's code is made here from its content, whatever the object brought. False,
    // changing nothing, when the card already holds CardDesign::MaxObjects.
    bool insertObject(const PlacedObject &object);
    bool hasRoomForObject() const { return m_card.design.objects.size() < size_t(CardDesign::MaxObjects); }
    // What a QR code holds, its level or colour: "QR-code gewijzigd".
    void changeQr(int index, const QrObject &qr);
    // aspect: a logo's new width over height on paper (a resize with Shift); none keeps it.
    void resizeObject(int index, const QRectF &rect, int mergeKey = 0, std::optional<double> aspect = std::nullopt);
    void removeObject(int index);
    int newGestureKey();
    static int nudgeKey(CardItem item);

    // "Nieuw": the card's text, colours, background, layout, outline and names back to
    // their start values. The stamp border style, the outline colour components, the
    // stamp box's picture and the print settings stay. The photo panel narrows and
    // forgets its photo when it hears cardRenewed. The new card counts as saved.
    void newCard();

    // Picture commands, each one step named after its command: `draw` paints into the
    // canvas's current image (a background photo, a gradient, the white frame, a
    // filter or mirror), or into the stamp box's image.
    void drawOnCanvas(const QString &stepName, const std::function<void(QImage &)> &draw);
    void drawOnStamp(const QString &stepName, const std::function<void(QImage &)> &draw);
    // The same with the print copy kept in step: after `draw`, `drawPrint` gets the print
    // copy (on the canvas, the screen picture enlarged when none was in step) and the
    // screen picture as `draw` left it, and what it leaves becomes the new picture's print
    // copy. A stamp without a print copy gets none. The plain variants above leave the
    // print copy behind, so paper falls back on the screen picture.
    using PrintDraw = std::function<void(QImage &print, const QImage &screen)>;
    void drawOnCanvas(const QString &stepName, const std::function<void(QImage &)> &draw,
                      const PrintDraw &drawPrint);
    void drawOnStamp(const QString &stepName, const std::function<void(QImage &)> &draw,
                     const PrintDraw &drawPrint);
    // The canvas variant with the print copy's surroundings for a press's bleed, made by
    // drawBeyond (see CardCanvas::setPrintBeyond) in the same step.
    using BeyondDraw = std::function<QImage(QMargins &margins)>;
    void drawOnCanvas(const QString &stepName, const std::function<void(QImage &)> &draw,
                      const PrintDraw &drawPrint, const BeyondDraw &drawBeyond);
    // A template: the canvas's own picture, replacing what was drawn. print, when
    // given, is that picture at Composition::PrintScale times its size.
    void setCanvasPicture(const QString &stepName, const QImage &picture, const QImage &print = QImage());
    // The stamp cut: the box takes the composed picture's size; a null picture empties
    // it. print, when given, is the same stamp at Composition::PrintScale times its size.
    void setStampPicture(const QString &stepName, const QImage &picture, const QImage &print = QImage());
    // A whole card brought in (a card file opened): one step. When `saved`, the card
    // as it now is counts as the saved one.
    void replaceCard(const QString &stepName, const Card &card, bool saved);

    // The people the card is made for ("Samenvoegen"): attaching, changing or detaching
    // them is one step. The person shown goes back to the first.
    const std::optional<CardTeam> &team() const { return m_card.team; }
    void setTeam(const std::optional<CardTeam> &team);
    // Which of the printed people the window shows, from 0 (an index into team->people(),
    // not a row of the data). Looking at someone else is no step; it is kept within the
    // people printed, 0 without a team.
    int shownPerson() const;
    void showPerson(int person);
    // Types a person's field: one step ("Invoer tekst"); false when nothing changed or the
    // card has no such field.
    bool enterPersonField(int row, int column, const QString &text);

    // Undo and redo. Refused (false) while a picture command is still drawing: a
    // filter lets the window handle events between its rows.
    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }
    // The step's name ("Aquarel"); empty when there is none.
    QString undoName() const { return canUndo() ? m_history.undoStep().name : QString(); }
    QString redoName() const { return canRedo() ? m_history.redoStep().name : QString(); }
    bool undo();
    bool redo();
    const CardHistory &history() const { return m_history; }
    void setHistoryByteBudget(qsizetype bytes);

    // True when the card changed since it was last saved, opened or started anew.
    bool isModified() const { return !m_history.isClean(); }
    // Saving wrote the card as it is now.
    void markSaved();

    // The session around the card, not the card: no undo steps.
    // The caption of the status item `NaamBestand`: the card or template last opened,
    // or the photo last loaded; "*.*" when there is none.
    const QString &nameCaption() const { return m_nameCaption; }
    void setNameCaption(const QString &caption);
    // The name last typed or chosen (a card name, or the path of a photo) and the card
    // last opened, which "Kaart Opslaan" offers.
    const QString &fileName() const { return m_fileName; }
    void setFileName(const QString &name) { m_fileName = name; }
    const QString &lastFileName() const { return m_lastFileName; }
    void setLastFileName(const QString &name) { m_lastFileName = name; }

Q_SIGNALS:
    void canvasChanged();
    void stampChanged();
    // Text lines, font or text colour.
    void textChanged();
    void layoutChanged();
    void borderChanged();
    void stampBorderStyleChanged();
    // A line's style or place, the stamp's place, or a placed object.
    void designChanged();
    void nameCaptionChanged();
    // After newCard(): views put back what they show of their own (the start picture).
    void cardRenewed();
    // The window shows the other side (also when an undo or redo went there). Every part's
    // signal is emitted with the new side in force, so a view that follows the parts
    // follows the side too.
    void sideChanged();
    // A step was added, undone or redone: the undo menu's captions follow.
    void historyChanged();
    void modifiedChanged(bool modified);
    // The window shows another person, or the team came or went (also by undo or redo).
    void personChanged();

private:
    // Runs change on the card and records it as one step; parts says what changed.
    void record(const QString &stepName, unsigned parts, int mergeKey, const std::function<void(Card &)> &change);
    // The same for a change of the shown face: the back is made on its first change, and
    // the step's name says "Achterkant: " before it.
    void recordFace(const QString &stepName, unsigned parts, int mergeKey, const std::function<void(CardFace &)> &change);
    void refreshBlankBack();
    // "Nieuw" or a card opened: a whole new card, shown on its front.
    void bringInCard(const QString &stepName, const std::function<void(Card &)> &change);
    // Undoes (back) or redoes one step; false while drawing or with no step that way.
    bool moveInHistory(bool back);
    void announce(unsigned parts);
    void followModified();

    Card m_card;
    CardSide m_side = CardSide::Front;
    // What the back shows while the card has none.
    CardFace m_blankBack;
    // Counts "Nieuw" and cards brought in: a change of the back that outlived its card
    // (a filter handling events meanwhile) is not laid on the next one.
    unsigned m_cardsBroughtIn = 0;
    CardHistory m_history;
    PrintSettings m_print;
    QString m_nameCaption = QStringLiteral("*.*");
    QString m_fileName;
    QString m_lastFileName;
    bool m_drawing = false;
    int m_gestures = 0;
    bool m_wasModified = false;
    int m_person = 0;
};
