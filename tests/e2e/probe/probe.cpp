// Window probe for the end-to-end tests: a console program that runs under
// Wine beside the player and reports what the player's windows hold.
//
// One command per line on stdin, one JSON line per command on stdout.
// Tokens are separated by blanks; numbers are decimal or 0x-hex; texts are
// given as hex bytes (code page 1252) or "-" for "any" / empty. Every answer
// has "ok": true or false; a failure carries "error".
//
//   screen                               desktop size
//   toplevels                            every top-level window
//   find <class> <caption> <ms> [vis]    wait for a top-level window
//   info <hwnd>                          one window
//   tree <hwnd>                          the window and all its descendants
//   item <hwnd> <id>                     GetDlgItem
//   gettext <hwnd>                       WM_GETTEXT
//   settext <hwnd> <text>                WM_SETTEXT (exact bytes)
//   send <hwnd> <msg> <wparam> <lparam>  SendMessageTimeout, returns result
//   post <hwnd> <msg> <wparam> <lparam>  PostMessage
//   focus <hwnd>                         GetGUIThreadInfo of the window's thread
//   msgboxes                             message boxes with their texts
//   press <hwnd> <id>                    click a dialog button by posting its command
//   waitgone <hwnd> <ms>                 wait until the window no longer exists
//   waitexit <hwnd> <ms>                 wait for the window's process to end
//   quit
//
// Scroll bar state cannot be read across processes under Wine; tests derive
// scroll positions from the children's rectangles instead.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr UINT SendTimeoutMs = 5000;
constexpr DWORD PollIntervalMs = 20;
constexpr size_t MaxTextBytes = 65536;

using Tokens = std::vector<std::string>;

std::string hexOf(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "-" stands for the empty text.
bool bytesOfHex(const std::string& hex, std::string& out) {
    out.clear();
    if (hex == "-") return true;
    if (hex.size() % 2 != 0) return false;
    for (size_t i = 0; i < hex.size(); i += 2) {
        int hi = hexDigit(hex[i]);
        int lo = hexDigit(hex[i + 1]);
        if (hi < 0 || lo < 0) return false;
        out += static_cast<char>(hi * 16 + lo);
    }
    return true;
}

// Printable ASCII as is, everything else escaped: class names are ASCII in practice.
std::string jsonString(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        }
    }
    return out + "\"";
}

unsigned long long handleNumber(HWND h) {
    return static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(h));
}

bool parseNumber(const std::string& s, long long& value) {
    if (s.empty()) return false;
    char* end = nullptr;
    value = std::strtoll(s.c_str(), &end, 0);
    return end && *end == '\0';
}

bool parseHandle(const std::string& s, HWND& h) {
    long long v = 0;
    if (!parseNumber(s, v)) return false;
    h = reinterpret_cast<HWND>(static_cast<uintptr_t>(v));
    return true;
}

void reply(const std::string& json) {
    std::fputs(json.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void fail(const std::string& error) { reply("{\"ok\":false,\"error\":" + jsonString(error) + "}"); }

// The window text through a message, which Wine marshals across processes.
bool windowText(HWND h, std::string& text) {
    text.clear();
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, SendTimeoutMs, &length))
        return false;
    size_t capacity = static_cast<size_t>(length) + 1;
    if (capacity > MaxTextBytes) capacity = MaxTextBytes;
    std::vector<char> buf(capacity + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(h, WM_GETTEXT, capacity, reinterpret_cast<LPARAM>(buf.data()),
                             SMTO_ABORTIFHUNG, SendTimeoutMs, &copied))
        return false;
    if (copied > capacity) copied = capacity;
    text.assign(buf.data(), static_cast<size_t>(copied));
    return true;
}

std::string className(HWND h) {
    char buf[256] = {};
    int n = GetClassNameA(h, buf, sizeof buf);
    return std::string(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

std::string rectJson(const RECT& r) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "[%ld,%ld,%ld,%ld]", r.left, r.top, r.right, r.bottom);
    return buf;
}

std::string windowJson(HWND h) {
    RECT window{};
    GetWindowRect(h, &window);
    RECT client{};
    GetClientRect(h, &client);
    POINT origin{0, 0};
    ClientToScreen(h, &origin);
    RECT clientOnScreen{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    HWND parent = GetAncestor(h, GA_PARENT);
    if (parent == GetDesktopWindow()) parent = nullptr;
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    std::string text;
    bool haveText = windowText(h, text);

    char head[256];
    std::snprintf(head, sizeof head,
                  "{\"hwnd\":%llu,\"parent\":%llu,\"owner\":%llu,\"id\":%d,\"pid\":%lu,\"visible\":%s,"
                  "\"style\":%lu,\"exstyle\":%lu,",
                  handleNumber(h), handleNumber(parent), handleNumber(GetWindow(h, GW_OWNER)),
                  GetDlgCtrlID(h), static_cast<unsigned long>(pid),
                  IsWindowVisible(h) ? "true" : "false",
                  static_cast<unsigned long>(GetWindowLongA(h, GWL_STYLE)),
                  static_cast<unsigned long>(GetWindowLongA(h, GWL_EXSTYLE)));
    return std::string(head) + "\"class\":" + jsonString(className(h)) + ",\"text\":" +
           (haveText ? "\"" + hexOf(text) + "\"" : "null") + ",\"rect\":" + rectJson(window) +
           ",\"client\":" + rectJson(clientOnScreen) + "}";
}

std::string windowListJson(const std::vector<HWND>& list) {
    std::string out = "[";
    for (size_t i = 0; i < list.size(); ++i) {
        if (i) out += ',';
        out += windowJson(list[i]);
    }
    return out + "]";
}

BOOL CALLBACK collect(HWND h, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(h);
    return TRUE;
}

std::vector<HWND> topLevels() {
    std::vector<HWND> list;
    EnumWindows(collect, reinterpret_cast<LPARAM>(&list));
    return list;
}

std::vector<HWND> descendants(HWND h) {
    std::vector<HWND> list;
    EnumChildWindows(h, collect, reinterpret_cast<LPARAM>(&list));
    return list;
}

bool needArgs(const Tokens& t, size_t n) {
    if (t.size() >= n + 1) return true;
    fail("expected " + std::to_string(n) + " arguments");
    return false;
}

bool handleArg(const Tokens& t, size_t i, HWND& h) {
    if (parseHandle(t[i], h) && IsWindow(h)) return true;
    fail("no such window");
    return false;
}

bool numberArg(const Tokens& t, size_t i, long long& v) {
    if (parseNumber(t[i], v)) return true;
    fail("bad number " + t[i]);
    return false;
}

void onScreen() {
    char buf[96];
    std::snprintf(buf, sizeof buf, "{\"ok\":true,\"width\":%d,\"height\":%d}", GetSystemMetrics(SM_CXSCREEN),
                  GetSystemMetrics(SM_CYSCREEN));
    reply(buf);
}

void onTopLevels() { reply("{\"ok\":true,\"windows\":" + windowListJson(topLevels()) + "}"); }

// find <class|-> <caption|-> <ms> [vis]: polls until a top-level window matches.
void onFind(const Tokens& t) {
    if (!needArgs(t, 3)) return;
    std::string wantClass, wantCaption;
    bool anyClass = t[1] == "-", anyCaption = t[2] == "-";
    long long timeoutMs = 0;
    if (!bytesOfHex(t[1], wantClass) || !bytesOfHex(t[2], wantCaption)) return fail("bad hex");
    if (!numberArg(t, 3, timeoutMs)) return;
    bool mustBeVisible = t.size() > 4 && t[4] == "vis";
    DWORD start = GetTickCount();
    for (;;) {
        for (HWND h : topLevels()) {
            if (mustBeVisible && !IsWindowVisible(h)) continue;
            if (!anyClass && className(h) != wantClass) continue;
            std::string caption;
            if (!anyCaption && (!windowText(h, caption) || caption != wantCaption)) continue;
            return reply("{\"ok\":true,\"window\":" + windowJson(h) + "}");
        }
        if (static_cast<long long>(GetTickCount() - start) >= timeoutMs) return fail("timeout");
        Sleep(PollIntervalMs);
    }
}

void onInfo(const Tokens& t) {
    HWND h;
    if (!needArgs(t, 1) || !handleArg(t, 1, h)) return;
    reply("{\"ok\":true,\"window\":" + windowJson(h) + "}");
}

void onTree(const Tokens& t) {
    HWND h;
    if (!needArgs(t, 1) || !handleArg(t, 1, h)) return;
    std::vector<HWND> list{h};
    for (HWND child : descendants(h)) list.push_back(child);
    reply("{\"ok\":true,\"windows\":" + windowListJson(list) + "}");
}

void onItem(const Tokens& t) {
    HWND h;
    long long id = 0;
    if (!needArgs(t, 2) || !handleArg(t, 1, h) || !numberArg(t, 2, id)) return;
    HWND item = GetDlgItem(h, static_cast<int>(id));
    if (!item) return fail("no such item");
    reply("{\"ok\":true,\"window\":" + windowJson(item) + "}");
}

void onGetText(const Tokens& t) {
    HWND h;
    if (!needArgs(t, 1) || !handleArg(t, 1, h)) return;
    std::string text;
    if (!windowText(h, text)) return fail("WM_GETTEXT failed");
    reply("{\"ok\":true,\"text\":\"" + hexOf(text) + "\"}");
}

void onSetText(const Tokens& t) {
    HWND h;
    std::string text;
    if (!needArgs(t, 2) || !handleArg(t, 1, h)) return;
    if (!bytesOfHex(t[2], text)) return fail("bad hex");
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                             SendTimeoutMs, &result))
        return fail("WM_SETTEXT failed");
    reply("{\"ok\":true,\"result\":" + std::to_string(static_cast<long long>(result)) + "}");
}

bool messageArgs(const Tokens& t, HWND& h, long long& msg, long long& wp, long long& lp) {
    return needArgs(t, 4) && handleArg(t, 1, h) && numberArg(t, 2, msg) && numberArg(t, 3, wp) &&
           numberArg(t, 4, lp);
}

void onSend(const Tokens& t) {
    HWND h;
    long long msg, wp, lp;
    if (!messageArgs(t, h, msg, wp, lp)) return;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(h, static_cast<UINT>(msg), static_cast<WPARAM>(wp), static_cast<LPARAM>(lp),
                             SMTO_ABORTIFHUNG, SendTimeoutMs, &result))
        return fail("SendMessageTimeout failed");
    reply("{\"ok\":true,\"result\":" + std::to_string(static_cast<long long>(result)) + "}");
}

void onPost(const Tokens& t) {
    HWND h;
    long long msg, wp, lp;
    if (!messageArgs(t, h, msg, wp, lp)) return;
    if (!PostMessageA(h, static_cast<UINT>(msg), static_cast<WPARAM>(wp), static_cast<LPARAM>(lp)))
        return fail("PostMessage failed");
    reply("{\"ok\":true}");
}

void onFocus(const Tokens& t) {
    HWND h;
    if (!needArgs(t, 1) || !handleArg(t, 1, h)) return;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(h, nullptr), &info)) return fail("GetGUIThreadInfo failed");
    char buf[160];
    std::snprintf(buf, sizeof buf, "{\"ok\":true,\"focus\":%llu,\"active\":%llu,\"capture\":%llu}",
                  handleNumber(info.hwndFocus), handleNumber(info.hwndActive), handleNumber(info.hwndCapture));
    reply(buf);
}

// Message boxes are dialogs of class "#32770": the caption is their text,
// the message sits in a Static child.
void onMsgBoxes() {
    std::string out = "{\"ok\":true,\"boxes\":[";
    bool first = true;
    for (HWND h : topLevels()) {
        if (className(h) != "#32770" || !IsWindowVisible(h)) continue;
        std::string caption;
        windowText(h, caption);
        std::string texts = "[", buttons = "[";
        for (HWND child : descendants(h)) {
            std::string text;
            windowText(child, text);
            std::string cls = className(child);
            if (lstrcmpiA(cls.c_str(), "Static") == 0 && !text.empty()) {
                if (texts.size() > 1) texts += ',';
                texts += "\"" + hexOf(text) + "\"";
            } else if (lstrcmpiA(cls.c_str(), "Button") == 0) {
                if (buttons.size() > 1) buttons += ',';
                buttons += "{\"id\":" + std::to_string(GetDlgCtrlID(child)) + ",\"text\":\"" + hexOf(text) + "\"}";
            }
        }
        if (!first) out += ',';
        first = false;
        out += "{\"hwnd\":" + std::to_string(handleNumber(h)) + ",\"caption\":\"" + hexOf(caption) +
               "\",\"texts\":" + texts + "],\"buttons\":" + buttons + "]}";
    }
    reply(out + "]}");
}

void onPress(const Tokens& t) {
    HWND h;
    long long id = 0;
    if (!needArgs(t, 2) || !handleArg(t, 1, h) || !numberArg(t, 2, id)) return;
    HWND button = GetDlgItem(h, static_cast<int>(id));
    if (!button) return fail("no such button");
    if (!PostMessageA(h, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                      reinterpret_cast<LPARAM>(button)))
        return fail("PostMessage failed");
    reply("{\"ok\":true}");
}

void onWaitGone(const Tokens& t) {
    HWND h;
    long long timeoutMs = 0;
    if (!needArgs(t, 2) || !parseHandle(t[1], h) || !numberArg(t, 2, timeoutMs)) return;
    DWORD start = GetTickCount();
    while (IsWindow(h)) {
        if (static_cast<long long>(GetTickCount() - start) >= timeoutMs) return fail("timeout");
        Sleep(PollIntervalMs);
    }
    reply("{\"ok\":true}");
}

void onWaitExit(const Tokens& t) {
    HWND h;
    long long timeoutMs = 0;
    if (!needArgs(t, 2) || !handleArg(t, 1, h) || !numberArg(t, 2, timeoutMs)) return;
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) return fail("OpenProcess failed");
    DWORD wait = WaitForSingleObject(process, static_cast<DWORD>(timeoutMs));
    DWORD code = 0;
    bool ended = wait == WAIT_OBJECT_0 && GetExitCodeProcess(process, &code);
    CloseHandle(process);
    if (!ended) return fail("timeout");
    reply("{\"ok\":true,\"code\":" + std::to_string(code) + "}");
}

Tokens split(const std::string& line) {
    Tokens tokens;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r' || line[i] == '\n')) ++i;
        size_t start = i;
        while (i < line.size() && !(line[i] == ' ' || line[i] == '\t' || line[i] == '\r' || line[i] == '\n')) ++i;
        if (i > start) tokens.push_back(line.substr(start, i - start));
    }
    return tokens;
}

// Returns false on "quit".
bool dispatch(const Tokens& t) {
    const std::string& c = t[0];
    if (c == "quit") return false;
    if (c == "screen") onScreen();
    else if (c == "toplevels") onTopLevels();
    else if (c == "find") onFind(t);
    else if (c == "info") onInfo(t);
    else if (c == "tree") onTree(t);
    else if (c == "item") onItem(t);
    else if (c == "gettext") onGetText(t);
    else if (c == "settext") onSetText(t);
    else if (c == "send") onSend(t);
    else if (c == "post") onPost(t);
    else if (c == "focus") onFocus(t);
    else if (c == "msgboxes") onMsgBoxes();
    else if (c == "press") onPress(t);
    else if (c == "waitgone") onWaitGone(t);
    else if (c == "waitexit") onWaitExit(t);
    else fail("unknown command " + c);
    return true;
}

}  // namespace

int main() {
    std::string line;
    char chunk[4096];
    while (std::fgets(chunk, sizeof chunk, stdin)) {
        line += chunk;
        if (line.empty() || line.back() != '\n') continue;  // a long line arrives in pieces
        Tokens tokens = split(line);
        line.clear();
        if (tokens.empty()) continue;
        if (!dispatch(tokens)) break;
    }
    return 0;
}
