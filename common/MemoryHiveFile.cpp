#include "MemoryHiveFile.h"

class CMemoryHiveFile::Transaction : public IHiveTransaction {
public:
    explicit Transaction(CMemoryHiveFile& file) : file_(file), hold_(file.lock_) {}

    HiveText Read() override { return file_.Read(); }

    bool Replace(const std::string& text, std::string& error) override
    {
        std::lock_guard guard(file_.mutex_);
        if (file_.failReplace) {
            error = "replace refused";
            return false;
        }
        file_.text_ = text;
        ++file_.replaceCount_;
        return true;
    }

    bool SetAside(std::string& newName, std::string& error) override
    {
        std::lock_guard guard(file_.mutex_);
        if (file_.failSetAside || !file_.text_) {
            error = "set-aside refused";
            return false;
        }
        file_.setAside_.push_back(*file_.text_);
        file_.text_.reset();
        newName = file_.name_ + ".corrupt-" + std::to_string(file_.setAside_.size());
        return true;
    }

    bool KeepBackup(std::string& newName, std::string& error) override
    {
        std::lock_guard guard(file_.mutex_);
        if (file_.failBackup || !file_.text_) {
            error = "backup refused";
            return false;
        }
        file_.backups_.push_back(*file_.text_);
        newName = file_.name_ + ".backup-" + std::to_string(file_.backups_.size());
        return true;
    }

private:
    CMemoryHiveFile& file_;
    std::lock_guard<std::mutex> hold_;
};

CMemoryHiveFile::CMemoryHiveFile(std::string name) : name_(std::move(name)) {}

std::string CMemoryHiveFile::Name() const { return name_; }

HiveText CMemoryHiveFile::Read() const
{
    std::lock_guard guard(mutex_);
    HiveText result;
    if (failReads) {
        result.state = HiveText::State::Failed;
        result.error = "read refused";
    } else if (text_) {
        result.state = HiveText::State::Loaded;
        result.text = *text_;
    }
    return result;
}

std::unique_ptr<IHiveTransaction> CMemoryHiveFile::Begin(std::string& error)
{
    if (failLock) {
        error = "lock refused";
        return nullptr;
    }
    return std::make_unique<Transaction>(*this);
}

void CMemoryHiveFile::SetText(std::optional<std::string> text)
{
    std::lock_guard guard(mutex_);
    text_ = std::move(text);
}

std::optional<std::string> CMemoryHiveFile::Text() const
{
    std::lock_guard guard(mutex_);
    return text_;
}

std::vector<std::string> CMemoryHiveFile::SetAsideTexts() const
{
    std::lock_guard guard(mutex_);
    return setAside_;
}

std::vector<std::string> CMemoryHiveFile::BackupTexts() const
{
    std::lock_guard guard(mutex_);
    return backups_;
}

int CMemoryHiveFile::ReplaceCount() const
{
    std::lock_guard guard(mutex_);
    return replaceCount_;
}
