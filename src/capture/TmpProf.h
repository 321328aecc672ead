#pragma once
#include <QElapsedTimer>
#include <map>
#include <string>
#include <vector>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
struct TmpProf {
    std::map<std::string, std::vector<double>> t;
    std::map<std::string, double> sums;
    static TmpProf& get() { static TmpProf* p = [] { auto* q = new TmpProf; std::atexit([] { TmpProf::get().dump(); }); return q; }(); return *p; }
    void dump() { for (auto& [k, v] : sums) std::fprintf(stderr, "SUM %-24s per-start=%.4f\n", k.c_str(), v / 201);  for (auto& [k, v] : t) { std::sort(v.begin(), v.end()); std::fprintf(stderr, "%-28s n=%zu med=%.4f\n", k.c_str(), v.size(), v[v.size()/2]); } }
};
struct TmpLap { QElapsedTimer c; TmpLap() { c.start(); } void operator()(const char* n) { TmpProf::get().t[n].push_back(c.nsecsElapsed() / 1e6); c.restart(); } };
struct TmpSum { const char* n; QElapsedTimer c; TmpSum(const char* n_) : n(n_) { c.start(); } ~TmpSum() { TmpProf::get().sums[n] += c.nsecsElapsed() / 1e6; } };
