#pragma once

#include "press/Ghostscript.h"
#include "press/PressFaces.h"
#include "press/PressGeometry.h"
#include "print/PrintedCard.h"
#include "print/SheetGeometry.h"

#include <QString>
#include <QStringList>

// "Drukklaar": the card as a PDF a print shop takes as it is, the front on page 1 and a back
// on page 2 with the same boxes, bleed and crop marks. Our own pages (press/PressPage), one
// PDF a face, go through Ghostscript together:
// - Cmyk: PDF/X-3 in the colours of coated offset paper (FOGRA39), with that profile as
//   the output intent; pictures and colours go through the profile, gray and black to
//   the black plate alone.
// - Rgb: for a digital press, RGB with sRGB as the output intent.
// Boxes as the geometry says, fonts embedded, the card's name as the title.
enum class PressColour { Cmyk, Rgb };

struct PressRequest {
    PressOptions options;
    PressColour colour = PressColour::Cmyk;
    QString title;
};

struct PressResult {
    bool written = false;
    bool stopped = false; // by the user, through the stop switch
    QString message;     // Dutch, when not written
    QStringList warnings; // PressWarnings of both sides, whether written or not
};

// The card's own size (C x D mm) is the sheet's card size. The file appears whole or not
// at all; a file of that name stays as it was on any failure, and on a stop. With a stop
// switch, Ghostscript runs with the caller's events going (Ghostscript::run).
PressResult writePressPdf(const QString &fileName, const PressFaces &card, const SheetGeometry &sheet,
                          const PressRequest &request, const Ghostscript::Setup &ghostscript = {},
                          Ghostscript::StopSwitch *stop = nullptr);

// A card for each person of a team, one after another: each person's front page, then
// that person's back page when the card has a back. Warnings are the first person's in
// full; another person's only where they differ (a longer line, a fuller QR code), each
// said of that person by the name in `who` ("Jan de Vries: ...").
struct PressPerson {
    QString who;
    PressFaces faces;
};
PressResult writePressPdf(const QString &fileName, const QList<PressPerson> &people, const SheetGeometry &sheet,
                          const PressRequest &request, const Ghostscript::Setup &ghostscript = {},
                          Ghostscript::StopSwitch *stop = nullptr);

namespace PressProfiles {
// The CMYK output profile, made with ArgyllCMS's colprof from the FOGRA39L data that
// Debian's icc-profiles-free ships (assets/icc/make-fogra39.sh), built into the program.
QByteArray fogra39();
// sRGB as Ghostscript itself ships it (Debian's libgs-common, which ghostscript needs).
extern const QString SrgbPath;
} // namespace PressProfiles
