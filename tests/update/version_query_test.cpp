#include "update/version_query.h"

#include <gtest/gtest.h>

#include <chrono>

#include "tests/support/update_server.h"
#include "update/build_settings.h"
#include "update/net/transfer_policy.h"

namespace vantu {
namespace {

using testing_support::LocalUpdateServer;

struct Read {
    VersionQueryResult result;
    std::string err;
};

Read ReadCapturingStderr(std::string_view body) {
    testing::internal::CaptureStderr();
    Read read{ReadVersionAnswer(body), {}};
    read.err = testing::internal::GetCapturedStderr();
    return read;
}

std::string VersionAddressOf(const LocalUpdateServer& server) {
    return server.HttpsUrl("/v1/oem/clientVersion?oemId=178");
}

void ExpectEmpty(const VersionQueryResult& result, int code) {
    EXPECT_EQ(result.code, code);
    EXPECT_EQ(result.latestVersion, L"");
    EXPECT_EQ(result.updateContent, L"");
    EXPECT_EQ(result.downloadUrl, L"");
}

TEST(VersionQuery, AddressComesFromTheBuildSettings) {
    EXPECT_EQ(VersionQueryAddress(), "https://" + LocalUpdateServer::Host() + ":" +
                                         std::to_string(Settings().updatePort) +
                                         "/v1/oem/clientVersion?oemId=178");
}

TEST(VersionAnswer, CodeZeroReadsTheDataTexts) {
    auto result = ReadVersionAnswer(
        R"({"Code":0,"Data":{"LatestVersion":"1.0.0.2","UpdateContent":"x","DownloadUrl":"u"}})");
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.latestVersion, L"1.0.0.2");
    EXPECT_EQ(result.updateContent, L"x");
    EXPECT_EQ(result.downloadUrl, L"u");
    EXPECT_FALSE(result.requestOk);  // the caller's to set
}

TEST(VersionAnswer, OtherCodesLeaveTheTextsEmpty) {
    ExpectEmpty(ReadVersionAnswer(R"({"Code":3,"Msg":"no","Data":{"LatestVersion":"9.9.9.9"}})"),
                3);
    ExpectEmpty(ReadVersionAnswer(R"({"Code":true,"Data":{"LatestVersion":"9"}})"), 1);
    ExpectEmpty(ReadVersionAnswer(R"({"Code":2.9})"), 2);
    ExpectEmpty(ReadVersionAnswer(R"({"Code":-2.9})"), -2);
}

TEST(VersionAnswer, MissingMembersGiveZeroAndEmptyTexts) {
    ExpectEmpty(ReadVersionAnswer("{}"), 0);
    ExpectEmpty(ReadVersionAnswer(R"({"Code":null,"Data":null})"), 0);
    auto partial = ReadVersionAnswer(R"({"Data":{"LatestVersion":"1.2.3.4","DownloadUrl":null}})");
    EXPECT_EQ(partial.latestVersion, L"1.2.3.4");
    EXPECT_EQ(partial.downloadUrl, L"");
    // Member names are case-sensitive; booleans read as their names.
    auto odd = ReadVersionAnswer(R"({"code":5,"Data":{"latestversion":"1","UpdateContent":true}})");
    EXPECT_EQ(odd.code, 0);
    EXPECT_EQ(odd.latestVersion, L"");
    EXPECT_EQ(odd.updateContent, L"true");
}

TEST(VersionAnswer, CommentsAreAllowed) {
    auto result = ReadVersionAnswer(
        "// channel answer\n{\"Code\":0, /* current */ \"Data\":{\"LatestVersion\":\"2.0.0.0\"}}");
    EXPECT_EQ(result.latestVersion, L"2.0.0.0");
}

TEST(VersionAnswer, WhatIsNotJsonGivesCodeZeroAndNoTexts) {
    for (std::string_view body : {
             "<!DOCTYPE html><html><body>Down for maintenance</body></html>",
             "",
             R"({"Code":0,"Data":{"LatestVersion":"1")",
             // Types the accessors refuse.
             R"({"Code":"1"})",
             R"({"Code":3000000000})",
             R"({"Code":1e300})",
             R"({"Code":[1]})",
             R"({"Code":0,"Data":"1.0.0.1"})",
             R"({"Code":0,"Data":{"LatestVersion":1.5}})",
             R"({"Code":0,"Data":{"LatestVersion":"1.0.0.1","DownloadUrl":{"u":1}}})",
             // A root that is not an object.
             R"([{"Code":1}])",
             "42",
         }) {
        auto read = ReadCapturingStderr(body);
        ExpectEmpty(read.result, 0);
        EXPECT_EQ(read.err, "") << body;
    }
}

TEST(VersionAnswer, AMessageThatIsNotTextReadsAsEmptyAndTheCodeStands) {
    for (std::string_view body : {R"({"Code":1,"Msg":123})", R"({"Code":1,"Msg":["x"]})",
                                  R"({"Code":1,"Msg":{"a":"b"}})"}) {
        SCOPED_TRACE(body);
        auto read = ReadCapturingStderr(body);
        ExpectEmpty(read.result, 1);
        EXPECT_EQ(read.err, "");
    }
}

TEST(VersionAnswer, DeepNestingIsNotJsonRatherThanACrash) {
    std::string body(100000, '[');
    ExpectEmpty(ReadVersionAnswer(body), 0);
}

TEST(VersionAnswer, ChineseTextArrivesAsTheSameCharacters) {
    auto result =
        ReadVersionAnswer("{\"Code\":0,\"Data\":{\"UpdateContent\":\"修复已知问题\\n\\u4f18化\"}}");
    EXPECT_EQ(result.updateContent, L"修复已知问题\n优化");
}

TEST(VersionAnswer, InvalidUtf8EmptiesThatTextAndSaysSo) {
    auto read = ReadCapturingStderr(
        "{\"Code\":0,\"Data\":{\"LatestVersion\":\"1.0.0.3\",\"UpdateContent\":\"\xC3\x28\","
        "\"DownloadUrl\":\"\xED\xA0\x80\"}}");
    EXPECT_EQ(read.result.latestVersion, L"1.0.0.3");
    EXPECT_EQ(read.result.updateContent, L"");
    EXPECT_EQ(read.result.downloadUrl, L"");
    EXPECT_EQ(read.err, "bad conversion\nbad conversion\n");
    // The message is also read, and checked, when the code is not 0.
    EXPECT_EQ(ReadCapturingStderr("{\"Code\":2,\"Msg\":\"\xFF\"}").err, "bad conversion\n");
}

// What servers have been getting away with, and still may.
TEST(VersionAnswer, LenientFormsStillRead) {
    for (std::string_view body : {
             R"({"Code":0,"Data":{"LatestVersion":"1.0.0.3",},})",
             R"({"Code":0,"Data":{"LatestVersion":"1.0.0.3" /* last */ ,}} trailing text)",
             "\xEF\xBB\xBF{\"Code\":0,\"Data\":{\"LatestVersion\":\"1.0.0.3\"}}",
             R"({"Code":0,"Data":{"LatestVersion":"0"},"Data":{"LatestVersion":"1.0.0.3"}})",
         }) {
        SCOPED_TRACE(body);
        auto read = ReadCapturingStderr(body);
        EXPECT_EQ(read.result.code, 0);
        EXPECT_EQ(read.result.latestVersion, L"1.0.0.3");
        EXPECT_EQ(read.err, "");
    }
    // Raw line ends and tabs inside a text are kept.
    auto raw = ReadVersionAnswer("{\"Code\":0,\"Data\":{\"UpdateContent\":\"a\nb\tc\"}}");
    EXPECT_EQ(raw.updateContent, L"a\nb\tc");
    // Commas with nothing before them are not trailing ones.
    for (std::string_view body : {R"({"Code":0,"Data":{,"LatestVersion":"1"}})",
                                  R"({"Code":0,"Data":{"LatestVersion":"1",,}})"}) {
        SCOPED_TRACE(body);
        EXPECT_EQ(ReadVersionAnswer(body).latestVersion, L"");
    }
}

TEST(VersionAnswer, StringsThatAreNotUtf8SpoilOnlyThemselves) {
    // In a member that is not read, and in member names: no message at all.
    auto read = ReadCapturingStderr(
        "{\"Code\":0,\"Note\":\"\xFF\",\"\xFE\":1,"
        "\"Data\":{\"LatestVersion\":\"1.0.0.3\",\"DownloadUrl\":\"u\xC3\"}}");
    EXPECT_EQ(read.result.latestVersion, L"1.0.0.3");
    EXPECT_EQ(read.result.downloadUrl, L"");
    EXPECT_EQ(read.err, "bad conversion\n");
    // Inside a comment they are skipped with it.
    EXPECT_EQ(ReadVersionAnswer("/* \xFF\" */{\"Data\":{\"LatestVersion\":\"2\"}}").latestVersion,
              L"2");
}

std::string NestedArrays(size_t depth) {
    return std::string(depth, '[') + std::string(depth, ']');
}

// An answer whose first member holds `depth` nested arrays, then the version.
// The root object is level one, its member's arrays go on from two.
std::string AnswerWithArraysNested(size_t depth) {
    return "{\"Deep\":" + NestedArrays(depth) + ",\"Data\":{\"LatestVersion\":\"1.0.0.3\"}}";
}

TEST(VersionAnswer, ValuesDeeperThanAThousandAreNotJson) {
    EXPECT_EQ(ReadVersionAnswer(AnswerWithArraysNested(999)).latestVersion, L"1.0.0.3");
    EXPECT_EQ(ReadVersionAnswer(AnswerWithArraysNested(1000)).latestVersion, L"");
}

TEST(VersionQuery, ReadsTheServersAnswer) {
    LocalUpdateServer server;
    server.SetVersionAnswer(
        R"({"Code":0,"Data":{"LatestVersion":"1.0.0.2","UpdateContent":"x","DownloadUrl":"u"}})");
    HttpClient client;
    auto result = QueryLatestVersion(client, server.HttpsUrl("/v1/oem/clientVersion?oemId=178"));
    EXPECT_TRUE(result.requestOk);
    EXPECT_EQ(result.latestVersion, L"1.0.0.2");
    EXPECT_EQ(result.downloadUrl, L"u");
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].target, "/v1/oem/clientVersion?oemId=178");
    EXPECT_TRUE(requests[0].Header("Cookie").empty());
}

TEST(VersionQuery, FailedRequestIsNotOkAndEmpty) {
    LocalUpdateServer server;
    server.SetVersionBehaviour("404");
    HttpClient client;
    auto result = QueryLatestVersion(client, server.HttpsUrl("/v1/oem/clientVersion?oemId=178"));
    EXPECT_FALSE(result.requestOk);
    ExpectEmpty(result, 0);
    EXPECT_EQ(client.State(), HttpState::NotFound);
}

TEST(VersionQuery, ErrorStatusWithJsonBodyIsStillAnAnswer) {
    LocalUpdateServer server;
    server.SetVersionBehaviour("500");
    HttpClient client;
    auto result = QueryLatestVersion(client, server.HttpsUrl("/v1/oem/clientVersion?oemId=178"));
    EXPECT_TRUE(result.requestOk);
    ExpectEmpty(result, 500);
}

// A valid answer of exactly `size` bytes.
std::string AnswerOfSize(size_t size) {
    const std::string head = R"({"Code":0,"Data":{"LatestVersion":"1.0.0.2","UpdateContent":")";
    const std::string tail = R"("}})";
    return head + std::string(size - head.size() - tail.size(), 'x') + tail;
}

TEST(VersionQuery, AnAnswerOver64KiBIsAFailedRequest) {
    LocalUpdateServer server;
    for (const char* behaviour : {"normal", "chunked"}) {
        SCOPED_TRACE(behaviour);
        server.SetVersionBehaviour(behaviour);
        HttpClient client;
        server.SetVersionAnswer(AnswerOfSize(64 * 1024));
        auto result = QueryLatestVersion(client, VersionAddressOf(server));
        EXPECT_TRUE(result.requestOk);
        EXPECT_EQ(result.latestVersion, L"1.0.0.2");

        server.SetVersionAnswer(AnswerOfSize(64 * 1024 + 1));
        result = QueryLatestVersion(client, VersionAddressOf(server));
        EXPECT_FALSE(result.requestOk);
        ExpectEmpty(result, 0);
        EXPECT_EQ(client.State(), HttpState::SendFailed);
    }
}

// Two bytes a second are not a stall; only the overall deadline (shortened
// here from 60 s) ends the answer, which would take 5 s.
TEST(VersionQuery, ATricklingAnswerIsAFailedRequestAtTheDeadline) {
    LocalUpdateServer server;
    server.SetVersionAnswer(R"({"Code":0})");
    server.SetVersionBehaviour("trickle-1-500");
    SetTransferLimitsForTesting({.queryDeadline = std::chrono::milliseconds(1500)});
    HttpClient client;
    const auto start = std::chrono::steady_clock::now();
    auto result = QueryLatestVersion(client, VersionAddressOf(server));
    const auto took = std::chrono::steady_clock::now() - start;
    SetTransferLimitsForTesting({});
    EXPECT_FALSE(result.requestOk);
    ExpectEmpty(result, 0);
    EXPECT_EQ(client.State(), HttpState::SendFailed);
    // A time-out up to the slack early is taken for the deadline.
    EXPECT_GE(took, std::chrono::milliseconds(1500) - kQueryDeadlineSlack);
    EXPECT_LT(took, std::chrono::seconds(4));
}

}  // namespace
}  // namespace vantu
