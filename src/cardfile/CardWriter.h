#pragma once

#include "core/CardDesign.h"
#include "core/CardState.h"
#include "core/CardTeam.h"

#include <QImage>
#include <QString>
#include <optional>

class CardDocument;

// Writes the card named name into the Cards folder: N.crd, N-back.bmp (the canvas's
// image) and, for the layouts with a stamp, N.bmp (the stamp box's image); a card with a
// design also N.opmaak and its logos (CardDesignFiles), and one without loses those an
// earlier save of the name left. Without a
// stamp layout an existing N.bmp is left alone. Beside each picture whose print copy is
// in step goes its print copy, N-back.print.png and N.print.png, tagged with the bitmap
// of the same save. A card with a back also writes the back's files beside them
// (CardFolder::backFiles: its record, its canvas with its print copy, its design); one
// without removes those an earlier save of the name left. A card with a team writes
// it beside them (CardTeamFiles), and one without removes those of an earlier save. The files are replaced all
// together or not at all, and the Cards folder is created when it is missing.
namespace CardWriter {

// nullopt when the card was saved; otherwise the Dutch message for the user, and the
// old card's files are as they were.
std::optional<QString> write(const CardDocument &document, const QString &name);

// What the files are made of, taken from the document on the thread that owns it; the
// pictures are shared copies, so taking it costs nothing and the card may change on
// while another thread writes it.
struct CardContent {
    CardState state;
    QImage canvas;
    QImage stamp;
    // The print copies in step with canvas and stamp; null where there is none.
    QImage canvasPrint;
    QImage stampPrint;
    CardDesign design;
    // The back, which has no stamp; none for a one-sided card.
    struct Back {
        CardState state;
        QImage canvas;
        QImage canvasPrint;
        CardDesign design;
    };
    std::optional<Back> back;
    // The people the card is made for; none for one person's card.
    std::optional<CardTeam> team;
};
CardContent contentOf(const CardDocument &document);

// The same files, all together or not at all, in another folder (created when
// missing): the recovery card is a card like any other. Safe on any thread.
std::optional<QString> writeInto(const CardContent &content, const QString &folder,
                                 const QString &name);

} // namespace CardWriter
