#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace FuzzSupport {

// Qt's picture plugins and painter want an application object; one offscreen
// QGuiApplication lives for the whole run.
void startApplication();

// The loaders read files by path, so each input is written to one file of this run.
QString asFile(const uint8_t *data, size_t size);

} // namespace FuzzSupport
