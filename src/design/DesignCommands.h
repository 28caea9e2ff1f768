#pragma once

#include <QString>

class CardDocument;
class CardEditor;
class LineStyleQuestion;
class MainWindow;

// The card's editing in the designer window: the editor over its card view (dragging,
// snapping, nudging, the items' menus and "Opmaak van deze regel…") and "Invoegen" >
// "Logo…". styles answers the line style question; null asks with the real dialog.
// Returns the editor, owned by the window's card view.
CardEditor &installDesignCommands(MainWindow &window, LineStyleQuestion *styles = nullptr);

// "Invoegen" > "QR-code…": the QR dialog on a code made from the card's lines, placed
// bottom right at the level and size where it scans (QrPlacement::newCode), then selected.
void insertQr(MainWindow &window, CardEditor &editor);

// The warnings of the card's QR codes (a code that holds nothing, or will not scan), each
// once: in brief for the info line, "; " between them, and whole for its tooltip. Both
// empty when every code will scan.
struct QrNotice {
    QString brief;
    QString whole;
};
QrNotice qrNotice(const CardDocument &document);
// The whole warnings, one after the other; empty when all will scan.
QString qrWarnings(const CardDocument &document);

// "Invoegen" > "Logo…": a picture file asked for, read as a logo and placed top right
// at 20 mm wide, then selected. A file that is no logo is said in Dutch.
void insertLogo(MainWindow &window, CardEditor &editor);
