#pragma once
// Reader of the NIST StRD nonlinear regression files kept in tests/data-reference/nist-strd.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "test_paths.h"

namespace zemtral::test {

struct NistSet {
    std::string name;
    std::vector<double> start1, start2, certified, certifiedSd;
    double certifiedRss = 0.0;
    double certifiedResidualSd = 0.0;
    std::vector<double> x, y;
};

/// Reads a StRD file: the parameter lines "bK = start1 start2 value sd", the residual sum of
/// squares and the data block after the second "Data:" line (columns y, x).
inline NistSet readNistSet(const std::string& name) {
    NistSet set;
    set.name = name;
    std::ifstream in(std::string(ZEMTRAL_SOURCE_DIR) + "/tests/data-reference/nist-strd/" + name + ".dat");
    EXPECT_TRUE(in.good()) << name;
    std::string line;
    int dataHeaders = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        std::istringstream words(line);
        std::string first, second;
        words >> first >> second;
        if (dataHeaders >= 2) {
            std::istringstream values(line);
            double y = 0, x = 0;
            if (values >> y >> x) {
                set.y.push_back(y);
                set.x.push_back(x);
            }
            continue;
        }
        if (first == "Data:") {
            ++dataHeaders;
            continue;
        }
        if (first.size() >= 2 && first[0] == 'b' && std::isdigit(static_cast<unsigned char>(first[1])) &&
            second == "=") {
            double s1 = 0, s2 = 0, v = 0, sd = 0;
            words >> s1 >> s2 >> v >> sd;
            set.start1.push_back(s1);
            set.start2.push_back(s2);
            set.certified.push_back(v);
            set.certifiedSd.push_back(sd);
            continue;
        }
        if (line.find("Residual Sum of Squares:") != std::string::npos) {
            set.certifiedRss = std::stod(line.substr(line.find(':') + 1));
        }
        if (line.find("Residual Standard Deviation:") != std::string::npos) {
            set.certifiedResidualSd = std::stod(line.substr(line.find(':') + 1));
        }
    }
    return set;
}

}  // namespace zemtral::test
