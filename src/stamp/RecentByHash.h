#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QMutex>
#include <list>
#include <optional>
#include <utility>

// The last few results of a costly step, found again by the hash of the bytes they were
// made of: a card opened again, the same logo placed twice. Shared by the threads that
// open cards; the most recently used result is kept longest.
template <typename Result>
class RecentByHash {
public:
    explicit RecentByHash(size_t kept) : m_kept(kept) {}

    static QByteArray keyOf(const QByteArray &bytes) { return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256); }

    std::optional<Result> find(const QByteArray &key)
    {
        const QMutexLocker lock(&m_mutex);
        for (auto it = m_recent.begin(); it != m_recent.end(); ++it)
            if (it->first == key) {
                m_recent.splice(m_recent.begin(), m_recent, it);
                return it->second;
            }
        return std::nullopt;
    }

    void keep(const QByteArray &key, const Result &result)
    {
        const QMutexLocker lock(&m_mutex);
        m_recent.emplace_front(key, result);
        if (m_recent.size() > m_kept)
            m_recent.pop_back();
    }

private:
    const size_t m_kept;
    QMutex m_mutex;
    std::list<std::pair<QByteArray, Result>> m_recent;
};
