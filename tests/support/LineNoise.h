#pragma once

#include <QByteArray>

#include <random>

// Line noise that looks like result frames: `pieces` pieces, each "$", a record type of the
// ventilator stream and a sequence digit, followed by up to two frames' length of random bytes.
// The same seed gives the same noise.
inline QByteArray frameLikeNoise(int frameSize, int pieces, unsigned seed)
{
    std::mt19937 random(seed);
    const QByteArray recordTypes = "ABCDMX";
    QByteArray noise;
    for (int piece = 0; piece < pieces; ++piece) {
        noise += '$';
        noise += recordTypes.at(static_cast<qsizetype>(random() % recordTypes.size()));
        noise += static_cast<char>('0' + random() % 10);
        for (auto tail = random() % (2 * static_cast<unsigned>(frameSize)); tail > 0; --tail)
            noise += static_cast<char>(random() % 256);
    }
    return noise;
}
