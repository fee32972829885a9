#pragma once

#include <QString>

// The reason the system gave for refusing a file operation (an errno value), as one Italian
// sentence: the library's own texts are English ("Operation not permitted").
namespace SystemReason {

QString text(int error);

} // namespace SystemReason
