#include "cardfile/Autosave.h"

#include "cardfile/CardWriter.h"
#include "cardfile/RecoveryCard.h"
#include "core/CardDocument.h"

#include <QtDebug>

Autosave::Autosave(CardDocument &document, QString folder, std::chrono::milliseconds interval,
                   QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_folder(std::move(folder))
{
    m_worker.setMaxThreadCount(1);
    m_timer.setInterval(interval);
    connect(&m_timer, &QTimer::timeout, this, &Autosave::saveNow);
    connect(&m_document, &CardDocument::modifiedChanged, this, &Autosave::follow);
    // A card brought back from an earlier run starts out changed.
    if (m_document.isModified())
        m_timer.start();
}

Autosave::~Autosave()
{
    m_worker.waitForDone();
}

std::chrono::milliseconds Autosave::intervalFromEnvironment()
{
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("LUMOVANDER_AUTOSAVE_MS", &ok);
    return ok && ms > 0 ? std::chrono::milliseconds(ms) : DefaultInterval;
}

void Autosave::saveNow()
{
    if (!m_document.isModified())
        return;
    m_worker.start([this, content = CardWriter::contentOf(m_document)] {
        const auto failure = RecoveryCard::write(content, m_folder);
        QMetaObject::invokeMethod(this, [this, failure] {
            // The design is still whole in memory, so a failed write costs nothing yet;
            // it is reported once per run of failures, not every minute.
            if (failure && !m_failing)
                qWarning().noquote() << "Lumovander: herstelkaart niet geschreven:" << *failure;
            if (failure.has_value() != m_failing)
                Q_EMIT protectionChanged(failure ? QStringLiteral("Let op: de herstelkaart kan niet worden bewaard. "
                                                                  "Sla de kaart zelf op.")
                                                 : QStringLiteral("De herstelkaart wordt weer bewaard."));
            m_failing = failure.has_value();
            Q_EMIT written(!failure);
        }, Qt::QueuedConnection);
    });
}

void Autosave::waitForWrites()
{
    m_worker.waitForDone();
}

void Autosave::discard()
{
    m_timer.stop();
    removeInTurn();
    m_worker.waitForDone();
}

void Autosave::removeInTurn()
{
    m_worker.start([folder = m_folder] { RecoveryCard::remove(folder); });
}

void Autosave::follow(bool modified)
{
    if (modified) {
        m_timer.start();
    } else {
        m_timer.stop();
        removeInTurn();
    }
}
