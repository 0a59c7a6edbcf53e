#include "session/protocol_source.h"

#include <array>

namespace zemtral {
namespace {

constexpr std::array<std::pair<ProtocolSource, WindowId>, 5> kSources{{
    {ProtocolSource::Simulation, WindowId::SimulationSetUp},
    {ProtocolSource::StirredTank, WindowId::StirredTank},
    {ProtocolSource::BatchReactor, WindowId::BatchReactor},
    {ProtocolSource::TubularReactor, WindowId::TubeReactor},
    {ProtocolSource::Fitting, WindowId::Fitting},
}};

}  // namespace

std::optional<WindowId> windowOfProtocolSource(ProtocolSource source) {
    for (const auto& [s, id] : kSources) {
        if (s == source) {
            return id;
        }
    }
    return std::nullopt;
}

ProtocolSource protocolSourceFor(std::optional<WindowId> active,
                                 const std::function<bool(WindowId)>& isOpen) {
    if (active) {
        for (const auto& [source, id] : kSources) {
            if (id == *active) {
                return source;
            }
        }
    }
    for (const auto& [source, id] : kSources) {
        if (isOpen(id)) {
            return source;
        }
    }
    return ProtocolSource::None;
}

void openProtocolLog(Session& session, ProtocolSource source) {
    session.protocol.separator = ";";
    session.protocol.source = source;
}

}  // namespace zemtral
