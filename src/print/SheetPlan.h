#pragma once

#include "core/Card.h"
#include "print/PrinterCorrection.h"
#include "print/SheetGeometry.h"

#include <QList>
#include <QPointF>
#include <cstdint>

// Which face of which card is printed in which slot of which page, on which side of the
// paper, where, and under which printer correction. Every way a sheet is printed draws
// the pages of a plan, so that a page drawn for the printer, a PDF or a preview cannot
// differ in what goes where.
//
// The back of a sheet is worked out on the physical A4 page: the back of the card in
// slot k lies exactly behind its front once the paper is turned over the chosen edge.
// Over the long edge the columns swap (x becomes 210 - x - C), over the short edge the
// rows (y becomes 297 - y - D). Qt draws every page of a document from the same printable
// corner, so a back corner is mirrored on the page and taken back to that corner.

enum class Duplex : uint8_t {
    FrontOnly, // one side: the fronts
    LongEdge,  // a duplex printer turning the paper over its long edge
    ShortEdge, // ... over its short edge
    ByHand,    // the fronts first; the user turns the stack over its long edge and feeds it again
};

// One card on one page.
struct PlannedCard {
    int slot = 0; // 0-based, in the reading order of the front
    int card = 0; // which of the cards being printed
    CardSide face = CardSide::Front;
    // The card's top-left corner as drawn, in millimetres from the printable corner.
    QPointF cornerMm;
    bool operator==(const PlannedCard &) const = default;
};

struct PlannedPage {
    int sheet = 0; // the paper sheet, from 0
    CardSide side = CardSide::Front;
    PrinterCorrection correction;
    QList<PlannedCard> cards;
    bool operator==(const PlannedPage &) const = default;
};

// What a plan is made for.
struct SheetRequest {
    SheetGeometry sheet;
    int sheets = 1;
    Duplex duplex = Duplex::FrontOnly;
    // The printable area's corner on the physical page, in millimetres.
    QPointF printableCorner;
    // Each side of the paper has its printer's correction of its own.
    PrinterCorrection frontCorrection;
    PrinterCorrection backCorrection;
    // The first free slot of the first sheet, from 0 in the front's reading order: a
    // partly used sheet is finished from there. The slots before it stay empty on both
    // sides; the sheets after it are whole. A slot past the sheet's last counts as the last.
    int firstSlot = 0;

    // The first slot within the sheet's slots.
    int startSlot() const;
};

struct SheetPlan {
    // Sheet by sheet; with a back, each front page followed by its back page.
    QList<PlannedPage> pages;

    // One card in every slot of every sheet from the request's first slot on, both faces
    // when the request prints two sides.
    static SheetPlan forOneCard(const SheetRequest &request);

    // A set of different cards: card 0 `perCard` times, then card 1, and so on, filled
    // along the rows from the request's first slot and on over as many sheets as they
    // take. The set is printed `request.sheets` times, each time from the next free slot,
    // so no slot is left empty between two sets. With two sides every card's back lies
    // behind its own front. No cards, or none of each, plan no pages.
    static SheetPlan forCards(const SheetRequest &request, int cards, int perCard);

    // How many sheets of paper the plan takes.
    int sheetCount() const;

    // The pages of one side, in order: what a by-hand run prints before and after the
    // user turns the stack.
    QList<PlannedPage> pagesOf(CardSide side) const;
};

// Where the back of a card whose front's top-left corner lies at frontMm on the physical
// page has its own top-left corner on the back of the paper, seen from the back.
QPointF backCornerOnPage(QPointF frontMm, QSizeF card, Duplex duplex);
