#include "cli/file_batch.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <exception>
#include <filesystem>
#include <ostream>
#include <thread>

#include "cli/cli_dialogs.h"

namespace zemtral::cli {
namespace {

namespace fs = std::filesystem;

bool isDataFileName(const fs::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char ch) { return std::tolower(ch); });
    return ext == ".zd3" || ext == ".csv";
}

void flatten(const Json& value, const std::string& name,
             std::vector<std::pair<std::string, std::string>>& columns) {
    if (value.is_object()) {
        for (const auto& [key, member] : value.items()) {
            flatten(member, name.empty() ? key : name + "." + key, columns);
        }
    } else if (value.is_array()) {
        for (std::size_t i = 0; i < value.size(); ++i) {
            flatten(value[i], name + "." + std::to_string(i), columns);
        }
    } else if (value.is_null()) {
        columns.emplace_back(name, "");
    } else if (value.is_string()) {
        columns.emplace_back(name, value.get<std::string>());
    } else {
        columns.emplace_back(name, jsonText(value));
    }
}

// A message of one line for a table or a CSV cell: the lines of the text, trimmed, joined by blanks.
std::string oneLine(const std::string& text) {
    std::string line;
    std::size_t start = 0;
    const std::string plain = terminalText(text);
    while (start <= plain.size()) {
        const std::size_t end = std::min(plain.find('\n', start), plain.size());
        std::string part = plain.substr(start, end - start);
        part.erase(0, part.find_first_not_of(' '));
        part.erase(part.find_last_not_of(' ') + 1);
        if (!part.empty()) {
            line += (line.empty() ? "" : " ") + part;
        }
        start = end + 1;
    }
    return line;
}

void writeMessages(std::ostream& err, const std::string& file, const std::string& messages) {
    if (!messages.empty()) {
        err << file << ":\n" << messages;
        if (messages.back() != '\n') {
            err << '\n';
        }
    }
}

std::vector<FileOutcome> runAll(const std::vector<std::string>& files, int jobs, const FileCommand& command) {
    std::vector<FileOutcome> outcomes(files.size());
    std::atomic<std::size_t> next{0};
    auto worker = [&]() {
        for (std::size_t i = next++; i < files.size(); i = next++) {
            try {
                outcomes[i] = command(files[i]);
            } catch (const std::exception& e) {
                // Nothing that goes wrong with one file may take the others with it.
                outcomes[i].code = kExitRefused;
                outcomes[i].messages = std::string("Interner Fehler: ") + e.what() + "\n";
            }
        }
    };
    const std::size_t threads =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(jobs, 1)), files.size());
    std::vector<std::thread> pool;
    for (std::size_t t = 1; t < threads; ++t) {
        pool.emplace_back(worker);
    }
    worker();
    for (std::thread& thread : pool) {
        thread.join();
    }
    return outcomes;
}

}  // namespace

std::vector<DataFileArgument> expandDataFiles(const std::vector<std::string>& arguments, bool& single) {
    std::vector<DataFileArgument> expanded;
    for (const std::string& argument : arguments) {
        std::error_code ec;
        DataFileArgument entry;
        if (fs::is_directory(argument, ec)) {
            entry.directory = true;
            for (const fs::directory_entry& file : fs::directory_iterator(argument, ec)) {
                std::error_code fileError;
                if (file.is_regular_file(fileError) && isDataFileName(file.path())) {
                    entry.files.push_back(file.path().string());
                }
            }
            std::sort(entry.files.begin(), entry.files.end());
            if (entry.files.empty()) {
                entry.files.push_back(argument);  // reported as a failed entry of its own
            }
        } else {
            entry.files.push_back(argument);
        }
        expanded.push_back(std::move(entry));
    }
    single = expanded.size() == 1 && !expanded[0].directory;
    return expanded;
}

std::optional<int> jobsOption(const ParsedArgs& args, std::string& error) {
    const auto text = args.value("jobs");
    if (!text) {
        return 1;
    }
    const auto jobs = wholeNumber(*text, 1, 64);
    if (!jobs) {
        error = "--jobs: a whole number from 1 to 64";
    }
    return jobs;
}

std::string csvCell(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char ch : text) {
        quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    }
    return quoted + "\"";
}

std::vector<std::pair<std::string, std::string>> csvColumns(const Json& object) {
    std::vector<std::pair<std::string, std::string>> columns;
    flatten(object, "", columns);
    return columns;
}

int runOverFiles(const std::vector<DataFileArgument>& arguments, bool single, int jobs, OutputFormat format,
                 const FileCommand& command, std::ostream& out, std::ostream& err) {
    std::vector<std::string> files;
    for (const DataFileArgument& argument : arguments) {
        files.insert(files.end(), argument.files.begin(), argument.files.end());
    }
    // A directory without data files stands for itself and fails as an entry of its own.
    const FileCommand guarded = [&](const std::string& file) {
        std::error_code ec;
        if (std::filesystem::is_directory(file, ec)) {
            FileOutcome none;
            none.code = kExitRefused;
            none.messages = "Keine Messdatei (*.ZD3, *.csv) im Verzeichnis " + file + "\n";
            return none;
        }
        return command(file);
    };
    const std::vector<FileOutcome> outcomes = runAll(files, jobs, guarded);

    for (const FileOutcome& outcome : outcomes) {
        if (outcome.code == kExitUsage) {
            err << outcome.messages;
            return kExitUsage;
        }
    }
    if (single && format != OutputFormat::Csv) {
        const FileOutcome& only = outcomes.front();
        err << only.messages;
        if (only.code == kExitOk) {
            out << (format == OutputFormat::Table ? only.text : jsonText(only.value) + "\n");
        }
        return only.code;
    }

    int code = kExitOk;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (outcomes[i].code != kExitOk) {
            code = kExitRefused;
            writeMessages(err, files[i], outcomes[i].messages);
        }
    }
    switch (format) {
        case OutputFormat::Json: {
            Json array = Json::array();
            for (std::size_t i = 0; i < files.size(); ++i) {
                Json entry = Json::object();
                entry["file"] = files[i];
                if (outcomes[i].code == kExitOk) {
                    for (const auto& [key, member] : outcomes[i].value.items()) {
                        entry[key] = member;
                    }
                } else {
                    entry["error"] = terminalText(outcomes[i].messages);
                }
                array.push_back(std::move(entry));
            }
            out << jsonText(array) << "\n";
            break;
        }
        case OutputFormat::Csv: {
            // The columns of all results in the order they first appear; a file without one of
            // them (another species measured, a failed run) leaves the cell empty.
            std::vector<std::string> names;
            std::vector<std::vector<std::pair<std::string, std::string>>> rows(files.size());
            for (std::size_t i = 0; i < files.size(); ++i) {
                if (outcomes[i].code != kExitOk) {
                    continue;
                }
                rows[i] = csvColumns(outcomes[i].value);
                for (const auto& column : rows[i]) {
                    if (std::find(names.begin(), names.end(), column.first) == names.end()) {
                        names.push_back(column.first);
                    }
                }
            }
            out << "file";
            for (const std::string& name : names) {
                out << ',' << csvCell(name);
            }
            out << ",error\n";
            for (std::size_t i = 0; i < files.size(); ++i) {
                out << csvCell(files[i]);
                for (const std::string& name : names) {
                    const auto it = std::find_if(rows[i].begin(), rows[i].end(), [&name](const auto& column) {
                        return column.first == name;
                    });
                    out << ',' << (it == rows[i].end() ? std::string() : csvCell(it->second));
                }
                out << ','
                    << (outcomes[i].code == kExitOk ? std::string() : csvCell(oneLine(outcomes[i].messages)))
                    << '\n';
            }
            break;
        }
        case OutputFormat::Table:
            for (std::size_t i = 0; i < files.size(); ++i) {
                out << files[i] << ": "
                    << (outcomes[i].code == kExitOk ? terminalText(outcomes[i].text)
                                                    : oneLine(outcomes[i].messages))
                    << "\n";
            }
            break;
    }
    return code;
}

}  // namespace zemtral::cli
