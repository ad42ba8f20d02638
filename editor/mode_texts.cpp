// Portable logic of the settings editor: the texts it shows per item mode.
#include "editor/mode_texts.h"

#include <cstddef>

#include "model/menu_item.h"

namespace tv {

namespace {

const char* const modeListTexts[editorModeCount] = {
    "表示と同じ文字入力",
    "表示と別の文字を入力",
    "プログラム実行・URLを開く",
    "項目区切り(横線)",
    "項目区切り(縦線)",
    "この設定画面表示",
    "------------",
    "クリップボード履歴",
    "日付・時刻入力拡張(表示と内容同一)",
    "クリップボード履歴編集",
    "プログラムを終了",
    "クリップボード履歴を消去",
    "★日付・時刻入力(表示と内容別・複数行)",
    "選択した文字を囲む（タグ用）",
    "ファイルフォルダ ポップアップ(Vossel)",
};

constexpr int firstDefaultMode = 3;
constexpr int newItemSlot = 15;  // not a mode: the text every new item starts with

// Both date modes start from a format that shows off most of the conversions,
// so the user sees what can be written before changing it.
const char* const dateFormatDefault = "%Y年%m月%d日(%A %a %f曜日) %p %I(%H):%M:%S (%b %B %y)";

const char* const defaultTexts[newItemSlot - firstDefaultMode + 1] = {
    "-横線-",                   // 3
    "|縦線|",                   // 4
    "設定(&S)",                 // 5
    "",                         // 6
    "クリップボード履歴(&C)",   // 7
    dateFormatDefault,          // 8
    "履歴編集(&E)",             // 9
    "終了(&X)",                 // 10
    "履歴消去",                 // 11
    dateFormatDefault,          // 12
    "",                         // 13
    "Vossel",                   // 14
    "New",                      // 15
};

// Lines of the root entry's help. The backslash sequences are what the user
// types, so they are written doubled here.
const char* const rootHelpLines[] = {
    "※この項目は，ショートカットキーとマウスの位置のみ設定できます",
    "",
    "特殊文字：",
    "  入力する文字の中に %%d と書くと今日の日付が，%%t と書くと現在の時刻が入ります．",
    "  （日付・時刻の項目では使えません．そちらでは下の特殊文字を使ってください）",
    "  1行の入力欄では，\\t がタブ，\\r\\n が改行1つ，\\\\ が \\ 1文字になります．",
    "",
    "起動ランチャとしての便利な使い方：",
    "  「メニュー」以外の項目を選んでおき，ファイルをこのウィンドウにドラッグ＆ドロップすると，",
    "  その項目がファイルを開くプログラム実行の項目になります．",
    "  内容の1行目が実行するコマンド，2行目がそのオプション（引き数）です．",
    "",
    "フォルダの作り方：",
    "  フォルダにしたい項目のすぐ下に，中に入れたい項目を移動し，右へ移動（Ctrl+→）してください．",
    "  すぐ上の項目がフォルダになり，移動した項目はその中に入ります．",
    "  どの項目でもフォルダにできますが，フォルダになった項目自身の機能は働きません．",
    "  ただし，クリップボード履歴の項目だけはフォルダにしても働きます．",
    "  日付・時刻の項目をフォルダにした場合は，表示にだけ使われます．",
    "",
    "日付・時刻拡張時の特殊文字：",
    "  %a　曜日の短縮名（Sun～Sat）",
    "  %A　曜日の名前（Sunday～Saturday）",
    "  %f　曜日の漢字1文字（日～土）",
    "  %b　月の短縮名（Jan～Dec）",
    "  %B　月の名前（January～December）",
    "  %c　日付と時刻（例：05/20/02 15:04:05）",
    "  %d　日（01～31）",
    "  %H　時，24時間制（00～23）",
    "  %I　時，12時間制（01～12）",
    "  %j　1月1日から数えた通算日（001～366）",
    "  %m　月（01～12）",
    "  %M　分（00～59）",
    "  %p　午前・午後（AM，PM）",
    "  %S　秒（00～59）",
    "  %U　週番号，日曜日から始まる週で数えます（00～53）",
    "  %w　曜日の番号（0～6，日曜日が0）",
    "  %W　週番号，月曜日から始まる週で数えます（00～53）",
    "  %x　日付（例：05/20/02）",
    "  %X　時刻（例：15:04:05）",
    "  %y　西暦の下2桁（00～99）",
    "  %Y　西暦4桁",
    "  %z，%Z　タイムゾーン（%z は協定世界時との時差 +0900 など，%Z はタイムゾーンの名前）",
    "  %%　% 1文字",
    "  % の直後に # を付けると数字の先頭の0を省きます．%#x は長い形式の日付，%#c は長い形式の日付と時刻になります．",
};

}  // namespace

const char* modeListText(uint8_t mode) { return mode < editorModeCount ? modeListTexts[mode] : nullptr; }

const char* contentCaption(uint8_t mode) {
    switch (mode) {
    case itemMode::inputDataString:
    case itemMode::newDateTime: return "入力する内容：";
    case itemMode::exeProgram: return "実行するコマンド(1行目:プログラム名.2行目:引き数.）：";
    case itemMode::clipBoardHistory: return "履歴表示範囲(1行目:開始番号.2行目:終了番号)数字以外:全部表示：";
    case itemMode::encloseSelection: return "選択を囲む文字(1行目:開始文字.2行目:終了文字)：";
    case itemMode::folderPopup: return "ファイルフォルダパス 指定しなければすべて表示";
    default: return "コメント欄：";
    }
}

const char* defaultDisplayText(int mode) {
    if (mode < firstDefaultMode || mode > newItemSlot) return nullptr;
    return defaultTexts[mode - firstDefaultMode];
}

bool isDefaultLookingText(const std::string& text) {
    for (const char* candidate : defaultTexts)
        if (text == candidate) return true;
    return false;
}

std::optional<std::string> replacedDisplayText(uint8_t newMode, const std::string& currentText) {
    // The text modes (0..2) and enclosing keep whatever the item is called: there
    // the display text is the user's own wording, not a label the mode dictates.
    bool bringsText = (newMode >= itemMode::hSeparater && newMode <= itemMode::newDateTime) ||
                      newMode == itemMode::folderPopup;
    if (!bringsText || !isDefaultLookingText(currentText)) return std::nullopt;
    return std::string(defaultDisplayText(newMode));
}

const std::string& rootHelpText() {
    static const std::string text = [] {
        std::string joined = rootHelpLines[0];
        for (size_t i = 1; i < sizeof rootHelpLines / sizeof rootHelpLines[0]; ++i) {
            joined += "\r\n";
            joined += rootHelpLines[i];
        }
        return joined;
    }();
    return text;
}

}  // namespace tv
