#pragma once

#include "background/GradientChooser.h"

#include <QDialog>

class CardDocument;
class QLabel;
class QScrollBar;

// The gradient dialog "Verloopcolor": a view of one GradientChooser. The scroll bar
// "VScroll1" picks the number, "Picture1" shows the chooser's preview and "Label5" its
// number text; "Ok" draws the chosen gradient on the card, "Cancel" closes without change.
// Made for one opening, so it always starts at gradient 1 with an empty preview.
class VerloopcolorDialog : public QDialog {
    Q_OBJECT
public:
    explicit VerloopcolorDialog(CardDocument &document, QWidget *parent = nullptr);

private:
    void showChooser();

    CardDocument &m_document;
    GradientChooser m_chooser;
    QLabel *m_preview;
    QLabel *m_number;
    QScrollBar *m_scrollBar;
};
