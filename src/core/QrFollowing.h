#pragma once

#include "core/QrObject.h"

// The contact fields a code would hold for these lines, without making the code: what
// QrObject::followLines takes, for a caller that only wants to compare contents (the
// longest of a team's codes) and would otherwise encode a code per person.
ContactFields followedFields(const QrObject &qr, const std::array<QString, 8> &lines);
