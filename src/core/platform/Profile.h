#pragma once
// The user profile: integers and strings by (section, key). An absent key yields the default.
#include <map>
#include <string>
#include <utility>

namespace ondrel {

class IProfile {
public:
    virtual ~IProfile() = default;
    virtual int GetInt(const std::string& section, const std::string& key, int defaultValue) = 0;
    virtual void WriteInt(const std::string& section, const std::string& key, int value) = 0;
    virtual std::string GetString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) = 0;
    virtual void WriteString(const std::string& section, const std::string& key,
                             const std::string& value) = 0;
};

// A profile kept in memory: the runner's and the tests' store. Integers and strings share
// one key space, as in a settings file, so an integer reads back as its decimal text.
class MemoryProfile : public IProfile {
public:
    int GetInt(const std::string& section, const std::string& key, int defaultValue) override;
    void WriteInt(const std::string& section, const std::string& key, int value) override;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) override;
    void WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override;

    bool Has(const std::string& section, const std::string& key) const;
    void Clear() { entries_.clear(); }
    std::size_t Size() const { return entries_.size(); }

private:
    std::map<std::pair<std::string, std::string>, std::string> entries_;
};

}  // namespace ondrel
