// The generated menu the benchmarks work on.
#pragma once

#include <string>

#include "model/menu_model.h"

namespace tvbench {

// 10 folders x 10 x 10, each holding 100 phrases: 100,000 phrases four levels deep.
inline void buildLargeMenu(tv::menuModel& model) {
    tv::itemFields root;
    root.text = "メニュー";
    root.vk = 593;
    model.createItem(model.root, root);
    auto folder = [&](tv::menuNode& parent, int n) -> tv::menuNode& {
        tv::menuNode node;
        tv::itemFields fields;
        fields.text = "フォルダ" + std::to_string(n);
        fields.extKey = tv::extKeyExpanded;
        model.createItem(node, fields);
        parent.appendChild(std::move(node));
        return parent.lastChild();
    };
    for (int a = 0; a < 10; ++a) {
        tv::menuNode& level1 = folder(model.root, a);
        for (int b = 0; b < 10; ++b) {
            tv::menuNode& level2 = folder(level1, b);
            for (int c = 0; c < 10; ++c) {
                tv::menuNode& level3 = folder(level2, c);
                for (int d = 0; d < 100; ++d) {
                    tv::menuNode phrase;
                    tv::itemFields fields;
                    fields.mode = tv::itemMode::inputDataString;
                    fields.text = "定型文" + std::to_string(d) + " ソ表示";
                    fields.data = "いつもお世話になっております。\r\n\tよろしくお願いいたします。" + std::to_string(d);
                    model.createItem(phrase, fields);
                    level3.appendChild(std::move(phrase));
                }
            }
        }
    }
}

}  // namespace tvbench
