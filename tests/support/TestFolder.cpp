#include "TestFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

TestFolder::TestFolder()
{
    char name[] = "/tmp/grubnosh-test-XXXXXX";
    if (mkdtemp(name) == NULL)
        throw std::runtime_error("cannot create a temporary folder");
    root = name;
}

TestFolder::~TestFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

void TestFolder::write(const std::string& name, const std::string& contents) const
{
    std::filesystem::create_directories(std::filesystem::path(file(name)).parent_path());
    std::ofstream stream(file(name), std::ios::binary);
    stream << contents;
}

std::string TestFolder::read(const std::string& name) const
{
    std::ifstream stream(file(name), std::ios::binary);
    std::ostringstream contents;
    contents << stream.rdbuf();
    return contents.str();
}

std::string TestFolder::fifo(const std::string& name) const
{
    std::filesystem::create_directories(std::filesystem::path(file(name)).parent_path());
    if (mkfifo(file(name).c_str(), 0644) != 0)
        throw std::runtime_error("cannot make the FIFO " + file(name));
    return file(name);
}

void TestFolder::linkGameData() const
{
    std::filesystem::create_directory_symlink(std::string(GRUBNOSH_SOURCE_DIR) + "/data", file("data"));
}

void TestFolder::linkGameDataWithout(const std::string& entry) const
{
    std::filesystem::create_directories(file("data"));
    for (const auto& item : std::filesystem::directory_iterator(std::string(GRUBNOSH_SOURCE_DIR) + "/data"))
        if (item.path().filename() != entry)
            std::filesystem::create_symlink(item.path(), file("data/" + item.path().filename().string()));
}

int countNumberedImages(const std::string& directory)
{
    int count = 0;
    while (std::filesystem::exists(directory + "/" + std::to_string(count) + ".png"))
        ++count;
    return count;
}

WorkingDirectory::WorkingDirectory(const std::string& path) : previous(std::filesystem::current_path())
{
    std::filesystem::current_path(path);
}

WorkingDirectory::~WorkingDirectory()
{
    std::filesystem::current_path(previous);
}
