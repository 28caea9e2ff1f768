#pragma once

#include "press/Ghostscript.h"
#include "press/PressFaces.h"
#include "press/PressPdf.h"
#include "print/SheetGeometry.h"

#include <QDialog>
#include <QImage>
#include <QStringList>
#include <functional>

class CardDocument;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class Questions;

// "Drukklaar PDF": the trim size (the card's own, 85 x 55 or 90 x 50 mm), the bleed, crop
// marks and CMYK or RGB, with a preview of the page that shows the cut, the bleed's edge
// and the 3 mm safety margin, and below it what a print shop would point out. A card with
// a back shows its second page beside the first. "Ok" asks for the file's name and writes
// it; a failure is told and the dialog stays open.
class DrukklaarDialog : public QDialog {
    Q_OBJECT
public:
    DrukklaarDialog(const CardDocument &document, Questions &questions, QWidget *parent = nullptr,
                    Ghostscript::Setup ghostscript = {});

    PressRequest request() const;
    // The page as the preview shows it, 4 pixels to the millimetre.
    QImage preview() const { return m_preview; }
    // The back's page likewise; null for a card without a back.
    QImage backPreview() const { return m_backPreview; }

    // Where the dialog tells the window how the writing goes: "Bezig…" while Ghostscript
    // runs, then what became of it (the info line).
    using InfoLine = std::function<void(const QString &)>;
    void setInfoLine(InfoLine info) { m_info = std::move(info); }

    // Writes the file with a progress dialog that can stop it; a stop or a failure
    // leaves the dialog open and no file written.
    void accept() override;
    // What a print shop would point out for the pages as now chosen; empty when nothing.
    QStringList warnings() const { return m_warnings; }

    // The preview's scale.
    static constexpr int PreviewPixelsPerMm = 4;

private:
    void refresh();
    QImage pagePreview(const PrintedCard &face, const PressGeometry &page, const PhotoBeyond &beyond) const;

    Questions &m_questions;
    Ghostscript::Setup m_ghostscript;
    InfoLine m_info = [](const QString &) {};
    PressFaces m_card;
    SheetGeometry m_sheet;
    QString m_name;
    QImage m_preview;
    QImage m_backPreview;
    QStringList m_warnings;

    QComboBox *m_size = nullptr;
    QDoubleSpinBox *m_bleed = nullptr;
    QCheckBox *m_marks = nullptr;
    QComboBox *m_colour = nullptr;
    QLabel *m_picture = nullptr;
    QLabel *m_backPicture = nullptr;
    QLabel *m_notes = nullptr;
};
