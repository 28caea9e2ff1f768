#pragma once

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>
#include <chrono>

class CardDocument;

// Keeps the recovery card (RecoveryCard) up to date: every interval while the card has
// unsaved changes, and on request before a step that may end the run. Once the card
// has no unsaved changes any more (saved, opened, renewed) the recovery card goes, as
// the saved card now holds everything and an older design must not be offered later.
//
// The card is taken on the main thread and written on one worker thread of its own:
// syncing three files to disk takes 40 to 70 ms on a busy machine (bench_autosave),
// longer than the window may stand still. The worker does one thing after another,
// so writes and removals reach the disk in the order they were asked for.
class Autosave : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds DefaultInterval{60'000};

    Autosave(CardDocument &document, QString folder, std::chrono::milliseconds interval,
             QObject *parent = nullptr);
    ~Autosave() override;

    // LUMOVANDER_AUTOSAVE_MS when it holds a positive number of milliseconds (tests
    // shorten the clock with it), the default otherwise.
    static std::chrono::milliseconds intervalFromEnvironment();

    // Takes the card and has it written, when it has unsaved changes.
    void saveNow();
    // Returns once everything asked for is on disk (before a risky step, at the end).
    void waitForWrites();
    // The run ends cleanly: the recovery card is no longer needed. Returns once it is gone.
    void discard();

Q_SIGNALS:
    // After each write, on the thread the Autosave lives in; ok tells whether the card
    // was written.
    void written(bool ok);
    // Once when writes start failing and once when they work again: the Dutch line
    // the info line shows, so that the user does not count on a card that is not kept.
    void protectionChanged(const QString &infoText);

private:
    void follow(bool modified);
    void removeInTurn();

    CardDocument &m_document;
    QString m_folder;
    QTimer m_timer;
    bool m_failing = false;
    // Last, so that it is finished with its work before the rest goes.
    QThreadPool m_worker;
};
