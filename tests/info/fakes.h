// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>

#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "info/document_opener.h"
#include "info/help_viewer.h"
#include "info/program_host.h"
#include "info/registry_api.h"
#include "support/gui_support.h"

namespace runnelex::test {

// A registry of named keys holding typed values, answering as advapi32 does.
struct FakeRegistry final : RegistryApi {
    struct Value {
        std::uint32_t type;
        std::string bytes;
    };
    struct Open {
        std::int32_t root;
        std::string subKey;
        std::uint32_t options, access;
    };
    static constexpr long kInvalidHandle = 6;
    std::map<std::string, std::map<std::string, Value>> keys;
    std::vector<Open> opens;
    std::vector<RegKeyHandle> closes;
    std::map<RegKeyHandle, std::string> openKeys; // until closed

    long openKey(std::int32_t root, const std::string& subKey, std::uint32_t options,
                 std::uint32_t access, RegKeyHandle& key) override {
        opens.push_back({root, subKey, options, access});
        key = keys.count(subKey) ? 100 + opens.size() : 0;
        if (key)
            openKeys[key] = subKey;
        return key ? kErrorSuccess : kErrorFileNotFound;
    }
    long queryValue(RegKeyHandle key, const std::string& name, std::uint32_t& type,
                    unsigned char* data, std::uint32_t& size) override {
        if (!openKeys.count(key))
            return kInvalidHandle;
        const auto& values = keys.at(openKeys[key]);
        const auto value = values.find(name);
        if (value == values.end())
            return kErrorFileNotFound;
        type = value->second.type;
        const auto bytes = static_cast<std::uint32_t>(value->second.bytes.size());
        const bool fits = bytes <= size;
        if (fits)
            std::memcpy(data, value->second.bytes.data(), bytes);
        size = bytes;
        return fits ? kErrorSuccess : kErrorMoreData;
    }
    long closeKey(RegKeyHandle key) override {
        closes.push_back(key);
        return openKeys.erase(key) ? kErrorSuccess : kInvalidHandle;
    }
};

struct FakeProgramHost final : ProgramHost {
    QStringList existingFiles, failing, existsAsked, started;
    std::map<QString, QString> onPath; // program name -> full path
    bool fileExists(const QString& path) override {
        existsAsked << path;
        return existingFiles.contains(path);
    }
    QString findOnPath(const QString& name) override {
        return onPath.count(name) ? onPath[name] : QString();
    }
    bool start(const QString& program, const QStringList& arguments) override {
        started << program + (arguments.isEmpty() ? "" : " " + arguments.join(' '));
        return !failing.contains(program);
    }
};

struct FakeHelpViewer final : HelpViewer {
    void showHelp(QWidget* owner) override { requests.push_back(owner); }
    std::vector<QWidget*> requests;
};

struct FakeDocumentOpener final : DocumentOpener {
    FakeDocumentOpener(bool succeeds, std::vector<QUrl>& opened)
        : succeeds(succeeds), opened(opened) {}
    bool openUrl(const QUrl& url) override {
        opened.push_back(url);
        return succeeds;
    }
    bool succeeds;
    std::vector<QUrl>& opened;
};

} // namespace runnelex::test
