#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "info/document_opener.h"
#include "info/help_viewer.h"
#include "info/program_host.h"
#include "info/registry_api.h"
#include "platform/message_boxes.h"

namespace runnelex::test {

// A registry of named keys holding typed values, answering like advapi32 does.
class FakeRegistry final : public RegistryApi {
public:
    struct Value {
        std::uint32_t type;
        std::string bytes;
    };
    std::map<std::string, std::map<std::string, Value>> keys;

    struct Open {
        std::int32_t root;
        std::string subKey;
        std::uint32_t options;
        std::uint32_t access;
    };
    std::vector<Open> opens;
    std::vector<RegKeyHandle> closes;
    std::set<RegKeyHandle> openHandles;

    long openKey(std::int32_t root, const std::string& subKey, std::uint32_t options,
                 std::uint32_t access, RegKeyHandle& key) override {
        opens.push_back({root, subKey, options, access});
        key = 0;
        if (keys.count(subKey) == 0) {
            return kErrorFileNotFound;
        }
        key = nextHandle_++;
        handleKeys_[key] = subKey;
        openHandles.insert(key);
        return kErrorSuccess;
    }

    long queryValue(RegKeyHandle key, const std::string& valueName, std::uint32_t& type,
                    unsigned char* data, std::uint32_t& size) override {
        const auto handle = handleKeys_.find(key);
        if (handle == handleKeys_.end()) {
            return 6; // ERROR_INVALID_HANDLE
        }
        const auto& values = keys.at(handle->second);
        const auto value = values.find(valueName);
        if (value == values.end()) {
            return kErrorFileNotFound;
        }
        const auto bytes = static_cast<std::uint32_t>(value->second.bytes.size());
        type = value->second.type;
        if (bytes > size) {
            size = bytes;
            return kErrorMoreData;
        }
        std::memcpy(data, value->second.bytes.data(), bytes);
        size = bytes;
        return kErrorSuccess;
    }

    long closeKey(RegKeyHandle key) override {
        closes.push_back(key);
        return openHandles.erase(key) == 1 ? kErrorSuccess : 6;
    }

private:
    RegKeyHandle nextHandle_ = 100;
    std::map<RegKeyHandle, std::string> handleKeys_;
};

class FakeProgramHost final : public ProgramHost {
public:
    QStringList existingFiles;
    std::map<QString, QString> onPath; // program name -> full path
    QStringList failingPrograms;

    QStringList existsAsked;
    QStringList started;

    bool fileExists(const QString& path) override {
        existsAsked << path;
        return existingFiles.contains(path);
    }
    QString findOnPath(const QString& name) override {
        const auto found = onPath.find(name);
        return found == onPath.end() ? QString() : found->second;
    }
    bool start(const QString& program, const QStringList& arguments) override {
        started << program;
        lastArguments = arguments;
        return !failingPrograms.contains(program);
    }
    QStringList lastArguments;
};

class RecordingMessageBoxes final : public MessageBoxes {
public:
    struct Shown {
        QWidget* parent;
        QString prompt;
    };
    std::vector<Shown> shown;
    void show(QWidget* parent, const QString& prompt) override {
        shown.push_back({parent, prompt});
    }
};

class FakeHelpViewer final : public HelpViewer {
public:
    std::vector<QWidget*> requests;
    void showHelp(QWidget* owner) override { requests.push_back(owner); }
};

class FakeDocumentOpener final : public DocumentOpener {
public:
    explicit FakeDocumentOpener(bool succeeds, std::vector<QUrl>& opened)
        : succeeds_(succeeds), opened_(opened) {}
    bool openUrl(const QUrl& url) override {
        opened_.push_back(url);
        return succeeds_;
    }

private:
    bool succeeds_;
    std::vector<QUrl>& opened_;
};

} // namespace runnelex::test
