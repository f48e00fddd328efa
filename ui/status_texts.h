// Texts of the status line that the connection and the write share; they
// are English in both interface languages.
#pragma once

#include <QString>

inline const QString kStatusOkText = QStringLiteral("..OK!");
inline const QString kStatusErrorText = QStringLiteral("..Error!");
