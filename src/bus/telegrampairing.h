#pragma once

#include "bus/telegram.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>

// Pairs the bytes of a gateway stream into telegrams, strictly in arrival order: every two bytes
// are one telegram, first byte 0 then byte 1. There is no framing, so a lone byte waits for its
// partner, and a byte lost on the way shifts every later pair until the stream starts afresh.
//
// The buffer is bounded: append() takes no more than there is room for and says how much it
// took, so the caller leaves the rest where it came from (the socket) until telegrams have been
// taken out.
class TelegramPairing
{
public:
    static constexpr qsizetype DefaultCapacity = 4096;

    explicit TelegramPairing(qsizetype capacity = DefaultCapacity);

    // Pairs bytes as they stand: the telegrams in order, and in *consumed the number of bytes
    // used (even; a last odd byte is left over).
    static QList<Telegram> pair(QByteArrayView bytes, qsizetype *consumed = nullptr);
    // The two bytes of a telegram as they go on the stream.
    static QByteArray encode(Telegram telegram);

    // Appends as many of the bytes as there is room for; returns how many were taken.
    qsizetype append(QByteArrayView bytes);
    // The next complete telegram, if two bytes are waiting.
    std::optional<Telegram> takeNext();

    qsizetype capacity() const { return m_capacity; }
    qsizetype pendingBytes() const { return m_buffer.size() - m_head; }
    qsizetype room() const { return m_capacity - pendingBytes(); }
    bool hasWaitingByte() const { return pendingBytes() % 2 == 1; }
    void clear();

private:
    QByteArray m_buffer;
    qsizetype m_head = 0; // first byte not yet taken
    qsizetype m_capacity;
};
