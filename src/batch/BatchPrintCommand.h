#pragma once

#include "core/Card.h"

#include <QStringList>
#include <QTextStream>
#include <functional>
#include <optional>

// The card `lumovander-batch print` prints, as read for the name on its command line, and
// what of it was left out for the limits of a card (each a Dutch sentence).
struct PrintCard {
    Card card;
    QStringList notes;
};

// Reads the card of a name; nullopt when there is none to open. batchPrint reads the
// saved card from the Cards folder.
using PrintCardReader = std::function<std::optional<PrintCard>(const QString &name)>;

// batchPrint (batch/BatchCommands.h) with the card read by `read`: the whole command,
// its arguments, settings, corrections, messages and PDF, for a card made elsewhere.
int batchPrint(const QStringList &args, QTextStream &err, const PrintCardReader &read);
