#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>

class CardDocument;

// Keeps the recovery card (RecoveryCard) up to date: every interval while the card has
// unsaved changes, and on request before a step that may end the run. Once the card
// has no unsaved changes any more (saved, opened, renewed) the recovery card goes, as
// the saved card now holds everything and an older design must not be offered later.
class Autosave : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds DefaultInterval{60'000};

    Autosave(CardDocument &document, QString folder, std::chrono::milliseconds interval,
             QObject *parent = nullptr);

    // LUMOVANDER_AUTOSAVE_MS when it holds a positive number of milliseconds (tests
    // shorten the clock with it), the default otherwise.
    static std::chrono::milliseconds intervalFromEnvironment();

    // Writes the recovery card at once when the card has unsaved changes.
    void saveNow();
    // The run ends cleanly: the recovery card is no longer needed.
    void discard();

Q_SIGNALS:
    // After each attempt to write; ok tells whether the card was written.
    void written(bool ok);

private:
    void follow(bool modified);

    CardDocument &m_document;
    QString m_folder;
    QTimer m_timer;
    bool m_failing = false;
};
