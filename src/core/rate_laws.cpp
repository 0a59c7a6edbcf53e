#include "core/rate_laws.h"

#include <cmath>

namespace zemtral {

SpeciesArray RateLaws(int model, const SpeciesArray& c, const std::array<double, 4>& k, double order) {
    SpeciesArray r{};
    const double cA = c[kSlotA], cB = c[kSlotB], cC = c[kSlotC], cP = c[kSlotP];
    const double k1 = k[1], k2 = k[2], k3 = k[3];
    switch (model) {
        case 1:
            r[kSlotA] = -k1;
            r[kSlotP] = k1;
            break;
        case 2:
            r[kSlotA] = -k1 * cA;
            r[kSlotP] = k1 * cA;
            break;
        case 3:
            r[kSlotA] = -2.0 * k1 * cA * cA;
            r[kSlotP] = k1 * cA * cA;
            break;
        case 4:
            r[kSlotA] = r[kSlotB] = -k1 * cA * cB;
            r[kSlotP] = k1 * cA * cB;
            break;
        case 5:
            r[kSlotA] = -k1 * cA * cP;
            r[kSlotP] = k1 * cA * cP;
            break;
        case 6:
            r[kSlotA] = -k1 * cA;
            r[kSlotC] = k1 * cA - k2 * cC;
            r[kSlotP] = k2 * cC;
            break;
        case 7:
            r[kSlotA] = -k1 * cA * cB - k2 * cA * cC;
            r[kSlotB] = -k1 * cA * cB;
            r[kSlotC] = k1 * cA * cB - k2 * cA * cC;
            r[kSlotP] = k2 * cA * cC;
            break;
        case 8:
            r[kSlotA] = -k1 * cA + k2 * cP;
            r[kSlotP] = -r[kSlotA];
            break;
        case 9:
            r[kSlotA] = r[kSlotB] = -k1 * cA * cB;
            r[kSlotC] = k1 * cA * cB - k2 * cC;
            r[kSlotP] = k2 * cC;
            break;
        case 10:  // slots E, S, ES, P
            r[kSlotA] = -k1 * cA * cB + (k2 + k3) * cC;
            r[kSlotB] = -k1 * cA * cB + k2 * cC;
            r[kSlotC] = k1 * cA * cB - (k2 + k3) * cC;
            r[kSlotP] = k3 * cC;
            break;
        case 11:
            r[kSlotA] = -(k1 + k2) * cA;
            r[kSlotP] = k1 * cA;
            r[kSlotQ] = k2 * cA;
            break;
        case 12:
            r[kSlotA] = r[kSlotB] = -k1 * cA * cB + k2 * cP * cP;
            r[kSlotP] = 2.0 * k1 * cA * cB - 2.0 * k2 * cP * cP;
            break;
        case 13:
            r[kSlotA] = r[kSlotB] = -k1 * cA * cB;
            r[kSlotC] = k1 * cA * cB - k2 * cC + k3 * cP;
            r[kSlotP] = k2 * cC - k3 * cP;
            break;
        case 14:
            r[kSlotA] = -k1 * cA;
            r[kSlotC] = k1 * cA - k2 * cC + k3 * cP;
            r[kSlotP] = k2 * cC - k3 * cP;
            break;
        case 15:
            r[kSlotA] = -k1 * cA + k2 * cC;
            r[kSlotC] = k1 * cA - (k2 + k3) * cC;
            r[kSlotP] = k3 * cC;
            break;
        case 16:
            r[kSlotA] = -k1 * cA * cP;
            r[kSlotP] = r[kSlotQ] = k1 * cA * cP;
            break;
        case 17:
            r[kSlotA] = r[kSlotB] = -k1 * cA * cB + k2 * cP;
            r[kSlotP] = k1 * cA * cB - k2 * cP;
            break;
        case 18:
            r[kSlotA] = r[kSlotB] = -k1 * cA * cB + k2 * cC;
            r[kSlotC] = k1 * cA * cB - (k2 + k3) * cC;
            r[kSlotP] = k3 * cC;
            break;
        case 20:
            if (cA > 0.0) {
                r[kSlotA] = -k1 * std::pow(cA, order);
                r[kSlotP] = -r[kSlotA];
            }
            break;
        default:
            break;
    }
    return r;
}

}  // namespace zemtral
