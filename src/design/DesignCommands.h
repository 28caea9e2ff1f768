#pragma once

class CardEditor;
class LineStyleQuestion;
class MainWindow;

// The card's editing in the designer window: the editor over its card view (dragging,
// snapping, nudging, the items' menus and "Opmaak van deze regel…") and "Invoegen" >
// "Logo…". styles answers the line style question; null asks with the real dialog.
// Returns the editor, owned by the window's card view.
CardEditor &installDesignCommands(MainWindow &window, LineStyleQuestion *styles = nullptr);

// "Invoegen" > "Logo…": a picture file asked for, read as a logo and placed top right
// at 20 mm wide, then selected. A file that is no logo is said in Dutch.
void insertLogo(MainWindow &window, CardEditor &editor);
