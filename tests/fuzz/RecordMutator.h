#pragma once

#include <QByteArray>

#include <cstdint>
#include <random>

namespace fuzz {

// Damages records the way files get damaged and hand edits go wrong, deterministically from its
// seed: each call applies one to three of these to a copy of the record: a bit flipped, a byte
// inserted or deleted, the end cut off, an element duplicated or removed, an attribute value or
// an element text replaced by a troublesome one ("NaN", "", "-1", "1e309", numbers beyond 32
// bits and beyond a Single, very long text). The element mutations apply while the record still
// reads as XML; otherwise a byte mutation is made.
class RecordMutator {
public:
    explicit RecordMutator(uint32_t seed) : m_random(seed) {}

    QByteArray mutate(const QByteArray& record);

private:
    void mutateBytes(QByteArray& record);
    // False when the record does not read as XML.
    bool mutateElements(QByteArray& record);
    // Below `bound`, which is above 0.
    uint32_t below(uint32_t bound);

    std::mt19937 m_random;
};

} // namespace fuzz
