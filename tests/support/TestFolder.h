#ifndef TEST_FOLDER_H
#define TEST_FOLDER_H

#include <string>

// A fresh temporary directory, removed with its contents when the object goes.
class TestFolder
{
public:
    TestFolder();
    ~TestFolder();

    const std::string& path() const { return root; }
    std::string file(const std::string& name) const { return root + "/" + name; }
    void write(const std::string& name, const std::string& contents) const;
    std::string read(const std::string& name) const;
    // Makes a FIFO, which a reader that opens it naively waits on for ever; returns its path.
    std::string fifo(const std::string& name) const;
    // Links the project's data/ folder in, so the game can start here.
    void linkGameData() const;
    // Makes data/ here with links to every entry of the project's data/ but one.
    void linkGameDataWithout(const std::string& entry) const;

private:
    std::string root;
};

// How many numbered images "<directory>/<n>.png" there are, counted the way the
// sprite manager loads them: from 0 up to the first gap.
int countNumberedImages(const std::string& directory);

// Changes the working directory for the lifetime of the object.
class WorkingDirectory
{
public:
    explicit WorkingDirectory(const std::string& path);
    ~WorkingDirectory();

private:
    std::string previous;
};

#endif
