#include "core/error.hpp"

#include <gtest/gtest.h>

namespace pellamy::core {
namespace {

struct DisplayCase {
    Error error;
    ErrorKind kind;
    std::string display;
};

TEST(ErrorDisplay, EveryKindInOrder) {
    const std::vector<DisplayCase> cases{
        {Error::crypto(), ErrorKind::Crypto, "authentication or integrity verification failed"},
        {Error::unauthorized(), ErrorKind::Unauthorized, "permission denied"},
        {Error::locked(), ErrorKind::Locked, "vault is locked"},
        {Error::elevation_required(), ErrorKind::ElevationRequired,
         "elevated authorization required"},
        {Error::invalid("center id must be 1-64 characters"), ErrorKind::Invalid,
         "center id must be 1-64 characters"},
        {Error::not_found(), ErrorKind::NotFound, "object not found"},
        {Error::ambiguous_id(), ErrorKind::AmbiguousId,
         "ambiguous short ID; list or search again and use the returned ID"},
        {Error::conflict(), ErrorKind::Conflict, "conflict requires explicit resolution"},
        {Error::limit(), ErrorKind::Limit, "size or capacity limit exceeded"},
        {Error::model("model answer was empty"), ErrorKind::Model, "model answer was empty"},
        {Error::model_http(503), ErrorKind::ModelHttp, "model endpoint returned HTTP 503"},
        {Error::job_step(2, Error::locked()), ErrorKind::JobStep,
         "cryptographic job step 2 failed: vault is locked"},
        {Error::io(std::make_error_code(std::errc::permission_denied)), ErrorKind::Io,
         "storage operation failed"},
        {Error::sql({"disk I/O error", "SqliteFailure"}), ErrorKind::Sql,
         "database operation failed"},
        {Error::json({"expected value at line 1", "Syntax"}), ErrorKind::Json,
         "invalid serialized data"},
    };
    for (std::size_t order = 0; order < cases.size(); ++order) {
        const auto& c = cases[order];
        SCOPED_TRACE(c.display);
        EXPECT_EQ(static_cast<std::size_t>(c.error.kind()), order);
        EXPECT_EQ(c.error.kind(), c.kind);
        EXPECT_EQ(c.error.display(), c.display);
    }
}

TEST(ErrorDisplay, NestedJobStepsRepeatThePattern) {
    const Error error = Error::job_step(2, Error::job_step(5, Error::crypto()));
    EXPECT_EQ(error.display(),
              "cryptographic job step 2 failed: cryptographic job step 5 failed: "
              "authentication or integrity verification failed");
    ASSERT_NE(error.source(), nullptr);
    EXPECT_EQ(error.source()->step(), 5u);
    EXPECT_EQ(error.debug(), "JobStep { step: 2, source: JobStep { step: 5, source: Crypto } }");
}

TEST(ErrorDisplay, CopiesOwnTheirSource) {
    Error copy = Error::locked();
    {
        const Error original = Error::job_step(7, Error::model_http(404));
        copy = original;
    }
    EXPECT_EQ(copy.display(), "cryptographic job step 7 failed: model endpoint returned HTTP 404");
}

TEST(ErrorCause, WrappedErrorsKeepTheirTextOutOfTheDisplay) {
    const auto io = Error::io(std::make_error_code(std::errc::no_such_file_or_directory));
    EXPECT_EQ(io.display(), "storage operation failed");
    EXPECT_EQ(io.cause(), "No such file or directory");
    EXPECT_EQ(io.io_error(), std::make_error_code(std::errc::no_such_file_or_directory));

    const auto json = Error::json({"trailing characters at line 1", "Syntax(1)"});
    EXPECT_EQ(json.display(), "invalid serialized data");
    EXPECT_EQ(json.cause(), "trailing characters at line 1");
    EXPECT_EQ(json.debug(), "Json(Syntax(1))");

    EXPECT_EQ(Error::job_step(1, Error::locked()).cause(), "vault is locked");
    EXPECT_FALSE(Error::invalid("x").cause());
    EXPECT_FALSE(Error::limit().cause());
}

TEST(ErrorDebug, NamesTheKindWithItsData) {
    EXPECT_EQ(Error::locked().debug(), "Locked");
    EXPECT_EQ(Error::invalid("bad").debug(), "Invalid(\"bad\")");
    EXPECT_EQ(Error::model_http(503).debug(), "ModelHttp { status: 503 }");
}

}  // namespace
}  // namespace pellamy::core
