#include "bus/telegrampairing.h"

#include <algorithm>

TelegramPairing::TelegramPairing(qsizetype capacity) : m_capacity(std::max<qsizetype>(capacity, 2)) {}

QList<Telegram> TelegramPairing::pair(QByteArrayView bytes, qsizetype *consumed)
{
    const qsizetype whole = bytes.size() - bytes.size() % 2;
    QList<Telegram> telegrams;
    telegrams.reserve(whole / 2);
    for (qsizetype i = 0; i < whole; i += 2)
        telegrams.append(Telegram{quint8(bytes[i]), quint8(bytes[i + 1])});
    if (consumed)
        *consumed = whole;
    return telegrams;
}

QByteArray TelegramPairing::encode(Telegram telegram)
{
    QByteArray bytes(2, Qt::Uninitialized);
    bytes[0] = char(telegram.byte0);
    bytes[1] = char(telegram.byte1);
    return bytes;
}

qsizetype TelegramPairing::append(QByteArrayView bytes)
{
    const qsizetype taken = std::min(bytes.size(), room());
    if (taken <= 0)
        return 0;
    // Drop what has been taken before growing, so the buffer never holds more than its capacity
    // plus the bytes already paired.
    if (m_head > 0 && m_buffer.size() + taken > m_capacity) {
        m_buffer.remove(0, m_head);
        m_head = 0;
    }
    m_buffer.append(bytes.first(taken));
    return taken;
}

std::optional<Telegram> TelegramPairing::takeNext()
{
    if (pendingBytes() < 2)
        return std::nullopt;
    const Telegram telegram{quint8(m_buffer[m_head]), quint8(m_buffer[m_head + 1])};
    m_head += 2;
    if (m_head == m_buffer.size()) {
        m_buffer.resize(0); // keeps the allocation for the next bytes
        m_head = 0;
    }
    return telegram;
}

void TelegramPairing::clear()
{
    m_buffer.clear();
    m_head = 0;
}
