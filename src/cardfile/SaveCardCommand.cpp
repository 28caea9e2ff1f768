#include "cardfile/SaveCardCommand.h"

#include "core/CardDocument.h"
#include "cardfile/CardFolder.h"
#include "cardfile/CardName.h"
#include "cardfile/CardWriter.h"
#include "core/DataFolder.h"
#include "core/Questions.h"

#include <QFileInfo>

namespace SaveCardCommand {

Outcome run(CardDocument &document, Questions &questions)
{
    const QString title = QStringLiteral(" Opslaan Kaart");
    document.setFileName(questions
                             .inputText(title, QStringLiteral("Geef een bestandsnaam voor deze kaart..."),
                                        document.lastFileName())
                             .value_or(QString()));
    const QString name = document.fileName();
    if (name.isEmpty())
        return Outcome::Cancelled;

    if (const auto problem = CardName::problem(name, document.hasBack())) {
        questions.message(title, CardName::rejectionMessage(name, *problem));
        return Outcome::InvalidName;
    }

    const QString record = CardFolder::exactFiles(DataFolder::cardsFolder(), name).record;
    if (QFileInfo(record).isFile()
        && !questions.yesNo(QStringLiteral(" Opslaan"),
                            QStringLiteral("Kaart met de naam '") + name
                                + QStringLiteral("' bestaat reeds!\r\nWilt u dit bestand overschrijven?")))
        return Outcome::KeptExisting;

    if (const auto failure = CardWriter::write(document, name)) {
        questions.message(title, *failure);
        return Outcome::Failed;
    }
    document.markSaved();
    return Outcome::Saved;
}

} // namespace SaveCardCommand
