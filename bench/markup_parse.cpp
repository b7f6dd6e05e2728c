// Parsing a 4 MB skin-like UTF-8 document (deep and wide, many attributes
// and entities): our in-place markup parser against pugixml's default parse
// of the same bytes, alternately in the same run. Goal: at least its
// throughput (the ratio of the medians).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/support/bench_support.h"
#include "ui/core/markup.h"

#if __has_include(<pugixml.hpp>)
#include <pugixml.hpp>
#define HAVE_PUGIXML 1
#endif

namespace {

const char* const kControls[] = {"Button",   "Label",   "Text", "Option",   "Progress",
                                 "RichEdit", "Control", "Edit", "CheckBox", "Slider"};
const char* const kLayouts[] = {"VerticalLayout", "HorizontalLayout", "TileLayout", "TabLayout"};

struct Generator {
    std::string out;
    std::size_t target = 0;
    unsigned seed = 12345;
    unsigned Next() {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    }
    void Indent(int depth) { out.append(static_cast<std::size_t>(depth) * 2, ' '); }
    void Attributes(int count) {
        for (int i = 0; i < count; ++i) {
            switch (Next() % 6) {
                case 0:
                    out += " pos=\"" + std::to_string(Next() % 500) + "," +
                           std::to_string(Next() % 300) + ",0,0\"";
                    break;
                case 1:
                    out += " normalimage=\"file=&apos;img/m_btn" + std::to_string(Next() % 40) +
                           ".png&apos; source=&apos;0,0,60,24&apos; corner=&apos;4,4,4,4&apos;\"";
                    break;
                case 2:
                    out += " text=\"升级中，请稍候 &amp; &lt;b&gt;" + std::to_string(Next()) +
                           "&lt;/b&gt;\"";
                    break;
                case 3:
                    out += " textcolor=\"#FF" + std::to_string(100000 + Next() % 899999) + "\"";
                    break;
                case 4:
                    out += " tooltip=\"&quot;Vantu&quot; game booster\"";
                    break;
                default:
                    out += " name=\"ctl_" + std::to_string(Next()) + "\" width=\"" +
                           std::to_string(Next() % 200) + "\"";
                    break;
            }
        }
    }
    void Container(int depth) {
        const char* layout = kLayouts[Next() % 4];
        Indent(depth);
        out += "<";
        out += layout;
        Attributes(2 + static_cast<int>(Next() % 4));
        out += ">\n";
        int children = 2 + static_cast<int>(Next() % 8);
        for (int i = 0; i < children && out.size() < target; ++i) {
            if (depth < 12 && Next() % 3 == 0) {
                Container(depth + 1);
            } else {
                Indent(depth + 1);
                out += "<";
                out += kControls[Next() % 10];
                Attributes(3 + static_cast<int>(Next() % 8));
                out += "/>\n";
            }
            if (Next() % 40 == 0) {
                Indent(depth + 1);
                out += "<!-- section " + std::to_string(i) + " -->\n";
            }
        }
        Indent(depth);
        out += "</";
        out += layout;
        out += ">\n";
    }
};

std::string MakeDocument(std::size_t size) {
    Generator g;
    g.target = size - 200;
    g.out = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Window size=\"500,310\">\n";
    g.out += "  <Font id=\"0\" name=\"Microsoft YaHei\" size=\"12\" default=\"true\"/>\n";
    while (g.out.size() < g.target) {
        g.Container(1);
    }
    g.out += "</Window>\n";
    return g.out;
}

}  // namespace

int main() {
    const std::string document = MakeDocument(4 << 20);
    const double megabytes = static_cast<double>(document.size()) / 1e6;
    constexpr int kRounds = 21;
    constexpr int kWarmUp = 2;
    constexpr double kGoal = 1.0;

    std::size_t elements = 0;
    auto ours = [&] {
        return bench_support::SecondsOf([&] {
            VantuUI::CMarkupDoc doc;
            if (!doc.LoadBuffer(document.data(), document.size(), VantuUI::MarkupEncoding::Utf8)) {
                std::fprintf(stderr, "parse failed: %ls\n", doc.ErrorMessage());
                std::exit(1);
            }
            elements = doc.ElementCount() - 1;
        });
    };
#ifdef HAVE_PUGIXML
    auto pugi = [&] {
        return bench_support::SecondsOf([&] {
            pugi::xml_document doc;
            if (!doc.load_buffer(document.data(), document.size())) {
                std::fprintf(stderr, "pugixml failed\n");
                std::exit(1);
            }
        });
    };
    const bench_support::SideBySide times = bench_support::Alternate(kRounds, ours, pugi, kWarmUp);
    std::printf("document: %.2f MB, %zu elements; %d rounds, ours and pugixml alternately\n",
                megabytes, elements, kRounds);
    bench_support::PrintSpread("CMarkupDoc::LoadBuffer", times.ours, 1e3, "ms");
    bench_support::PrintSpread("pugixml load_buffer", times.reference, 1e3, "ms");
    std::printf("  throughput: ours %.1f MB/s, pugixml %.1f MB/s (medians)\n",
                megabytes / bench_support::Median(times.ours),
                megabytes / bench_support::Median(times.reference));
    return bench_support::ReportAtLeast("throughput, ours / pugixml:", times.Speedup(), kGoal) ? 0
                                                                                               : 1;
#else
    std::printf("document: %.2f MB\n", megabytes);
    bench_support::PrintSpread("CMarkupDoc::LoadBuffer", {ours(), ours(), ours()}, 1e3, "ms");
    std::printf("pugixml not installed: no comparison\n");
    return 0;
#endif
}
