#pragma once
// Which calculation window a newly opened protocol window belongs to: it decides the heading
// line of the protocol file and whose "Protokollieren" button the protocol window gives back.
#include <functional>
#include <optional>

#include "data/protocol_table.h"
#include "session/session.h"
#include "session/window_host.h"

namespace zemtral {

/// @brief The window of a protocol source, or nothing for ProtocolSource::None.
std::optional<WindowId> windowOfProtocolSource(ProtocolSource source);

/// @brief The source of a protocol window that opens now. The active window wins when it is one
/// of the five calculation windows (it is the one whose button opened the protocol); otherwise
/// the open windows are tested in the order simulation set-up, stirred tank, batch reactor, tube,
/// fitting.
ProtocolSource protocolSourceFor(std::optional<WindowId> active, const std::function<bool(WindowId)>& isOpen);

/// @brief Opening the protocol window: the separator starts as ";" and the source is remembered.
void openProtocolLog(Session& session, ProtocolSource source);

}  // namespace zemtral
