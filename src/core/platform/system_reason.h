#pragma once

#include <QString>

// Why a file operation failed, as the user reads it: the system's text for
// `error` ("No such file or directory" for ENOENT), or `fallback` (Qt's own
// text, or ours) when there is no error number.
QString systemReason(int error, const QString& fallback);
