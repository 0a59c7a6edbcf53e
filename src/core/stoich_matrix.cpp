#include "core/stoich_matrix.h"

#include <initializer_list>
#include <utility>

#include "core/species.h"

namespace zemtral {
namespace {

using Entries = std::initializer_list<std::pair<int, float>>;

void setRow(StoichMatrix& m, int row, Entries entries) {
    for (const auto& [slot, nu] : entries) {
        m[row][slot] = nu;
    }
}

}  // namespace

StoichMatrix BuildStoichMatrix(int modelId, float order) {
    StoichMatrix m{};
    constexpr int A = kSlotA, B = kSlotB, C = kSlotC, P = kSlotP, Q = kSlotQ;
    switch (modelId) {
        case 1:
        case 2:
        case 5:
            setRow(m, 1, {{A, -1}, {P, 1}});
            break;
        case 3:
            setRow(m, 1, {{A, -2}, {P, 1}});
            break;
        case 4:
            setRow(m, 1, {{A, -1}, {B, -1}, {P, 1}});
            break;
        case 6:
            setRow(m, 1, {{A, -1}, {C, 1}});
            setRow(m, 2, {{C, -1}, {P, 1}});
            break;
        case 7:
            setRow(m, 1, {{A, -1}, {B, -1}, {C, 1}});
            setRow(m, 2, {{A, -1}, {C, -1}, {P, 1}});
            break;
        case 8:
            setRow(m, 1, {{A, -1}, {P, 1}});
            setRow(m, 2, {{A, 1}, {P, -1}});
            break;
        case 9:
            setRow(m, 1, {{A, -1}, {B, -1}, {C, 1}});
            setRow(m, 2, {{C, -1}, {P, 1}});
            break;
        case 10:  // E, S, ES, P
            setRow(m, 1, {{A, -1}, {B, -1}, {C, 1}});
            setRow(m, 2, {{A, 1}, {B, 1}, {C, -1}});
            setRow(m, 3, {{A, 1}, {C, -1}, {P, 1}});
            break;
        case 11:
            setRow(m, 1, {{A, -1}, {P, 1}});
            setRow(m, 2, {{A, -1}, {Q, 1}});
            break;
        case 12:
            setRow(m, 1, {{A, -1}, {B, -1}, {P, 2}});
            setRow(m, 2, {{A, 1}, {B, 1}, {P, -2}});
            break;
        case 13:
            setRow(m, 1, {{A, -1}, {B, -1}, {C, 1}});
            setRow(m, 2, {{C, -1}, {P, 1}});
            setRow(m, 3, {{C, 1}, {P, -1}});
            break;
        case 14:
            setRow(m, 1, {{A, -1}, {C, 1}});
            setRow(m, 2, {{C, -1}, {P, 1}});
            setRow(m, 3, {{C, 1}, {P, -1}});
            break;
        case 15:
            setRow(m, 1, {{A, -1}, {C, 1}});
            setRow(m, 2, {{A, 1}, {C, -1}});
            setRow(m, 3, {{C, -1}, {P, 1}});
            break;
        case 16:
            setRow(m, 1, {{A, -1}, {P, 1}, {Q, 1}});
            break;
        case 17:
            setRow(m, 1, {{A, -1}, {B, -1}, {P, 1}});
            setRow(m, 2, {{A, 1}, {B, 1}, {P, -1}});
            break;
        case 18:
            setRow(m, 1, {{A, -1}, {B, -1}, {C, 1}});
            setRow(m, 2, {{A, 1}, {B, 1}, {C, -1}});
            setRow(m, 3, {{C, -1}, {P, 1}});
            break;
        case 20:
            setRow(m, 1, {{A, -order}, {P, 1}});
            break;
        default:
            break;
    }
    return m;
}

}  // namespace zemtral
