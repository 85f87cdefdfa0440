#pragma once
// What the report settings pictures are taken on: the starter definition copied under a name of
// its own into a folder made for the pictures, and the session's templates folder, report and
// kind pointed at it. The user's templates folder is neither read nor written; the session's
// values are put back and the folder removed when this goes.

#include <filesystem>
#include <string>

#include "act/Session.h"

namespace bp::win {

class PictureSession {
public:
    PictureSession(act::Session& session, const std::string& reportName);
    ~PictureSession();
    PictureSession(const PictureSession&) = delete;
    PictureSession& operator=(const PictureSession&) = delete;

    // False when the starter definition could not be staged; problem() says why.
    bool staged() const { return problem_.empty(); }
    const std::string& problem() const { return problem_; }

private:
    bool makeFolder();

    act::Session& session_;
    std::string folder_;
    std::string report_;
    int type_;
    std::filesystem::path temp_;
    std::string problem_;
};

}  // namespace bp::win
