#pragma once

#include <QString>

// The project the Set/Reset benchmarks run on: 4,096 buttons, each bound to its own bus point
// (point n: address n / 16, group n % 16) with a member for every point, spread over the
// navigation-screen, speed and communication buttons by n % 3 (so speed button k, from 0 in table
// order, is point 3k + 1), and a few reactions that never match (their function is Toggle), so
// that the reaction lookup runs.
namespace BoundButtonProject {

constexpr int ButtonCount = 4096;

void write(const QString &folder);

} // namespace BoundButtonProject
