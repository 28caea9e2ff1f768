#include "cardfile/OpenFileModel.h"

#include "core/CardDocument.h"
#include "cardfile/CardDesignFiles.h"
#include "cardfile/CardTeamFiles.h"
#include "cardfile/CardFolder.h"
#include "cardfile/CardName.h"
#include "cardfile/CardOpening.h"
#include "core/DataFolder.h"
#include "cardfile/PictureFile.h"
#include "core/CardPainter.h"
#include "core/Composition.h"
#include "core/Questions.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>

OpenFileModel::OpenFileModel(Mode mode, CardDocument &document, Questions &questions)
    : m_mode(mode)
    , m_document(document)
    , m_questions(questions)
{
    m_entries = CardFolder::entries(folder(), QLatin1Char('.') + openMode());
    if (m_mode == Mode::Cards)
        m_entries.removeIf([](const QString &entry) { return CardFolder::isBackName(entry); });
    if (m_mode == Mode::Templates && !m_entries.isEmpty())
        loadPreview(m_entries.first());
    m_instruction = QStringLiteral("Maak d.m.v. de lijst een keuze uit een van de %1 %2 die u wilt openen.")
                        .arg(m_entries.size())
                        .arg(m_entries.size() != 1 ? listNoun()
                             : m_mode == Mode::Cards ? QStringLiteral("kaart")
                                                     : QStringLiteral("template"));
}

QString OpenFileModel::openMode() const
{
    return m_mode == Mode::Cards ? QStringLiteral("crd") : QStringLiteral("tmp");
}

QString OpenFileModel::listNoun() const
{
    return m_mode == Mode::Cards ? QStringLiteral("kaarten") : QStringLiteral("templates");
}

QString OpenFileModel::title() const
{
    return m_mode == Mode::Cards ? QStringLiteral(" Open Kaart") : QStringLiteral(" Open Template");
}

QString OpenFileModel::folder() const
{
    return m_mode == Mode::Cards ? DataFolder::cardsFolder() : DataFolder::templatesFolder();
}

void OpenFileModel::loadPreview(const QString &name)
{
    m_preview = CardName::staysInFolder(name)
        ? PictureFile::readStretched(CardFolder::templateFile(folder(), name), PreviewSize)
        : QImage();
}

// Read as opening reads it, so that the preview is the card that Ok brings; a card
// without a back costs no more than a look for its back's record.
void OpenFileModel::loadCardPreview(const QString &name)
{
    m_preview = QImage();
    if (!CardName::staysInFolder(name) || !CardFolder::hasBack(folder(), name))
        return;
    const std::optional<CardOpening::ReadCard> read = CardOpening::readCard(m_document.card(), folder(), name);
    if (read && read->card.back)
        m_preview = cardPreview(read->card);
}

QImage OpenFileModel::cardPreview(const Card &card)
{
    QImage preview(PreviewSize, QImage::Format_ARGB32_Premultiplied);
    preview.fill(Qt::transparent);
    constexpr int gap = 3;
    const QSizeF side = QSizeF(Composition::CanvasSize)
                            .scaled(QSizeF((PreviewSize.width() - gap) / 2.0, PreviewSize.height()), Qt::KeepAspectRatio);
    const double top = (PreviewSize.height() - side.height()) / 2;
    QPainter painter(&preview);
    const auto paintAt = [&](double left, const CardFace &face, const StampBox *stamp) {
        painter.save();
        painter.translate(left, top);
        painter.scale(side.width() / Composition::CanvasSize.width(), side.height() / Composition::CanvasSize.height());
        CardPainter::paintFace(painter, face, stamp);
        painter.restore();
    };
    paintAt(0, card.front(), &card.stamp);
    if (card.back)
        paintAt(PreviewSize.width() - side.width(), *card.back, nullptr);
    return preview;
}

void OpenFileModel::select(int row)
{
    if (row < 0 || row >= m_entries.size()) {
        m_selected = -1;
        if (m_mode == Mode::Cards)
            m_preview = QImage();
        return;
    }
    m_selected = row;
    m_deleteEnabled = true;
    if (m_mode == Mode::Templates)
        loadPreview(m_entries[row]);
    else
        loadCardPreview(m_entries[row]);
}

void OpenFileModel::deleteSelected()
{
    if (m_selected < 0)
        return;
    const QString entry = m_entries[m_selected];
    if (!m_questions.yesNo(QStringLiteral(" Delete"),
                           QStringLiteral("Wilt u het bestand '") + entry + QStringLiteral("' verwijderen")))
        return;
    if (CardName::staysInFolder(entry)) {
        if (m_mode == Mode::Cards) {
            // The back first, its record before the rest, so that a deletion cut short
            // leaves no half of a back to be read as one.
            if (CardFolder::hasBack(folder(), entry)) {
                const auto back = CardFolder::backFiles(folder(), entry);
                for (const QString &path : {back.record, back.background, back.backgroundPrint})
                    QFile::remove(path);
                for (const QString &path : CardDesignFiles::present(folder(), CardFolder::backName(entry)))
                    QFile::remove(path);
            }
            const auto files = CardFolder::cardFiles(folder(), entry);
            for (const QString &path :
                 {files.stamp, files.background, files.record, files.stampPrint, files.backgroundPrint})
                QFile::remove(path);
            // A link among them goes itself; what it points to stays.
            for (const QString &path : CardDesignFiles::present(folder(), entry) + CardTeamFiles::present(folder(), entry))
                QFile::remove(path);
        } else {
            QFile::remove(CardFolder::templateFile(folder(), entry));
        }
    }
    m_entries.removeAt(m_selected);
    m_selected = -1;
    if (m_mode == Mode::Cards)
        m_preview = QImage();
}

bool OpenFileModel::accept()
{
    const QString name = m_selected < 0 ? QString() : m_entries[m_selected];
    const QString title = QStringLiteral("Lumovander");
    if (name.isEmpty()) {
        m_document.setLastFileName(name);
        m_document.setFileName(name);
        m_document.setNameCaption(name);
        m_questions.message(title, QStringLiteral("Selecteer eerst een kaart..."));
        return false;
    }
    if (m_mode == Mode::Templates) {
        // A template that gives no picture is named with the reason, and nothing changes.
        const PhotoLoader::Outcome outcome = CardOpening::loadTemplate(m_document, name);
        if (!outcome) {
            m_questions.message(title, PhotoLoader::faultMessage(CardOpening::templatePath(name), outcome));
            return false;
        }
    } else if (const CardOpening::Opened opened = CardOpening::openCard(m_document, name); !opened) {
        // A card that did not open leaves the one shown under its own name: a save now
        // must not go to the files of the card that failed.
        m_questions.message(title, unopenedCardMessage(name));
        return false;
    } else if (!opened.notes.isEmpty()) {
        m_questions.message(title, opened.notes.join(QStringLiteral("\r\n")));
    }
    m_document.setLastFileName(name);
    m_document.setFileName(name);
    m_document.setNameCaption(name);
    return true;
}

QString OpenFileModel::unopenedCardMessage(const QString &name) const
{
    const QFileInfo background(CardFolder::cardFiles(folder(), name).background);
    const QString picture = background.fileName();
    const QString reason = background.exists()
        ? QStringLiteral("het plaatje %1 van de kaart is beschadigd of geen plaatje.").arg(picture)
        : QStringLiteral("het plaatje %1 van de kaart ontbreekt.").arg(picture);
    return QStringLiteral("De kaart '%1' kan niet worden geopend: %2").arg(name, reason);
}
