// The synonym pass: table-ordered replacement, fast.
#include "rewriting/synonym_pass.h"

#include <QHash>

#include <algorithm>
#include <functional>
#include <queue>

namespace {

constexpr qsizetype BlockSize = 64;
// Transition targets carry flags: the target ends a word, itself or along its failure links
// (HasOutput); it ends a word itself (IsWord); it has children (HasChildren).
constexpr int HasOutput = int(0x40000000);
constexpr int IsWord = int(0x20000000);
constexpr int HasChildren = int(0x10000000);
constexpr int NodeMask = HasChildren - 1;
// Words longer than this are found with the automaton's failure links; shorter ones by walking
// the trie from each position that starts a known two-character prefix.
constexpr int DirectWalkLimit = 16;

quint32 bigramSlot(char16_t a, char16_t b)
{
    return quint32((quint64(a) * 0x9E3779B1u + b * 0x85EBCA77u) >> 10) & ((1u << 22) - 1);
}

quint64 edgeKey(int node, char16_t c)
{
    return (quint64(quint32(node)) << 16) | c;
}

quint64 mix(quint64 k)
{
    k ^= k >> 33;
    k *= 0xff51afd7ed558ccdULL;
    k ^= k >> 33;
    return k;
}

// The first occurrence of needle in text at or after from, -1 when none: a plain scan, quicker
// than the general search for the short blocks and words here.
qsizetype findIn(QStringView text, QStringView needle, qsizetype from)
{
    const qsizetype n = needle.size();
    if (n == 0)
        return -1;
    const QChar *t = text.data();
    const QChar *w = needle.data();
    const char16_t first = w[0].unicode();
    for (qsizetype i = from, last = text.size() - n; i <= last; ++i) {
        if (t[i].unicode() != first)
            continue;
        qsizetype k = 1;
        while (k < n && t[i + k] == w[k])
            ++k;
        if (k == n)
            return i;
    }
    return -1;
}

} // namespace

SynonymPass::SynonymPass(const SynonymTable &table)
{
    build(table);
}

int SynonymPass::child(int node, char16_t c) const
{
    if (m_edges.empty())
        return -1;
    for (quint64 i = mix(edgeKey(node, c)) & m_edgeMask;; i = (i + 1) & m_edgeMask) {
        const Edge &e = m_edges[i];
        if (e.node == node && e.c == c)
            return e.target;
        if (e.node < 0)
            return -1;
    }
}

void SynonymPass::addChild(int node, char16_t c, int target)
{
    quint64 i = mix(edgeKey(node, c)) & m_edgeMask;
    while (m_edges[i].node >= 0)
        i = (i + 1) & m_edgeMask;
    m_edges[i] = {node, target, c};
    m_char.push_back(c);
    m_nextSibling.push_back(m_nodes[node].firstChild);
    m_nodes[node].firstChild = target;
}

void SynonymPass::build(const SynonymTable &table)
{
    const qsizetype entries = table.size();
    m_spans.reserve(entries);
    m_entryWord.reserve(entries);
    qsizetype poolSize = 0;
    for (const SynonymPair &pair : table)
        poolSize += pair.Word.size() + pair.Replacement.size();
    m_text.reserve(poolSize);
    QHash<QString, int> ids;
    ids.reserve(entries);
    std::vector<const QString *> wordText;
    qsizetype totalChars = 0;
    for (const SynonymPair &pair : table) {
        m_spans.push_back({qint32(m_text.size()), qint32(pair.Word.size()),
                           qint32(m_text.size() + pair.Word.size()), qint32(pair.Replacement.size())});
        m_text += pair.Word;
        m_text += pair.Replacement;
        if (pair.Word.isEmpty()) {
            m_entryWord.push_back(-1); // an empty word never changes the text
            continue;
        }
        auto it = ids.find(pair.Word);
        if (it == ids.end()) {
            it = ids.insert(pair.Word, int(m_wordLength.size()));
            m_wordLength.push_back(int(pair.Word.size()));
            wordText.push_back(&pair.Word);
            m_maxWordLength = std::max(m_maxWordLength, int(pair.Word.size()));
            totalChars += pair.Word.size();
        }
        m_entryWord.push_back(*it);
    }
    const std::size_t words = m_wordLength.size();
    if (words == 0)
        return;
    // Entries grouped by word, in table order within each word.
    m_wordEntryStart.assign(words + 1, 0);
    for (const int w : m_entryWord) {
        if (w >= 0)
            ++m_wordEntryStart[std::size_t(w) + 1];
    }
    for (std::size_t w = 0; w < words; ++w)
        m_wordEntryStart[w + 1] += m_wordEntryStart[w];
    m_wordEntries.assign(std::size_t(m_wordEntryStart[words]), 0);
    std::vector<int> fill(m_wordEntryStart.begin(), m_wordEntryStart.end() - 1);
    for (std::size_t e = 0; e < m_entryWord.size(); ++e) {
        if (m_entryWord[e] >= 0)
            m_wordEntries[std::size_t(fill[std::size_t(m_entryWord[e])]++)] = int(e);
    }

    // The trie of all words.
    quint64 capacity = 16;
    while (capacity < quint64(totalChars) + quint64(totalChars) / 2 + 16)
        capacity <<= 1;
    m_edgeMask = capacity - 1;
    m_edges.assign(capacity, Edge());
    m_nodes.reserve(std::size_t(totalChars) + 1);
    m_char.reserve(std::size_t(totalChars) + 1);
    m_nextSibling.reserve(std::size_t(totalChars) + 1);
    m_nodes.emplace_back();
    m_char.push_back(0);
    m_nextSibling.push_back(-1);
    m_rootNext.assign(65536, 0);
    for (std::size_t w = 0; w < words; ++w) {
        int node = 0;
        for (const QChar qc : *wordText[w]) {
            const char16_t c = qc.unicode();
            int next = node == 0 ? (m_rootNext[c] > 0 ? m_rootNext[c] : -1) : child(node, c);
            if (next < 0) {
                next = int(m_nodes.size());
                m_nodes.emplace_back();
                addChild(node, c, next);
                if (node == 0)
                    m_rootNext[c] = next;
            }
            node = next;
        }
        m_nodes[std::size_t(node)].output = int(w);
    }

    // Failure links, breadth first.
    std::vector<int> queue;
    queue.reserve(m_nodes.size());
    for (int c = m_nodes[0].firstChild; c >= 0; c = m_nextSibling[std::size_t(c)])
        queue.push_back(c);
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const int u = queue[head];
        for (int v = m_nodes[std::size_t(u)].firstChild; v >= 0; v = m_nextSibling[std::size_t(v)]) {
            const int f = step(m_nodes[std::size_t(u)].fail, m_char[std::size_t(v)]) & NodeMask;
            Node &node = m_nodes[std::size_t(v)];
            node.fail = f != v ? f : 0;
            const Node &fn = m_nodes[std::size_t(node.fail)];
            node.outputLink = fn.output >= 0 ? node.fail : fn.outputLink;
            queue.push_back(v);
        }
    }
    flagOutputs();
    m_bigrams.assign((1u << 22) / 64, 0);
    for (std::size_t w = 0; w < words; ++w) {
        const QString &t = *wordText[w];
        if (t.size() >= 2) {
            const quint32 slot = bigramSlot(t.at(0).unicode(), t.at(1).unicode());
            m_bigrams[slot >> 6] |= quint64(1) << (slot & 63);
        }
    }
    // Only matching needs the automaton from here on.
    std::vector<char16_t>().swap(m_char);
    std::vector<int>().swap(m_nextSibling);
}

int SynonymPass::step(int node, char16_t c) const
{
    for (;;) {
        if (node == 0)
            return m_rootNext[c];
        const int next = child(node, c);
        if (next >= 0)
            return next;
        node = m_nodes[std::size_t(node)].fail;
    }
}

void SynonymPass::flagOutputs()
{
    const auto flagged = [this](int target) {
        const Node &n = m_nodes[std::size_t(target & NodeMask)];
        if (n.output >= 0 || n.outputLink >= 0)
            target |= HasOutput;
        if (n.output >= 0)
            target |= IsWord;
        if (n.firstChild >= 0)
            target |= HasChildren;
        return target;
    };
    for (Edge &e : m_edges) {
        if (e.node >= 0)
            e.target = flagged(e.target);
    }
    for (int &target : m_rootNext) {
        if (target > 0)
            target = flagged(target);
    }
}

template <class Sink> void SynonymPass::scan(QStringView text, Sink &&sink) const
{
    if (m_maxWordLength <= DirectWalkLimit) {
        // Every word that starts at each position, by walking the trie; a position whose first
        // two characters begin no word is passed over without touching the trie.
        const QChar *chars = text.data();
        const qsizetype n = text.size();
        for (qsizetype s = 0; s < n; ++s) {
            int next = m_rootNext[chars[s].unicode()];
            if (next == 0)
                continue;
            for (qsizetype i = s;;) {
                const int node = next & NodeMask;
                if (next & IsWord) {
                    const int word = m_nodes[std::size_t(node)].output;
                    sink(word, s);
                }
                if (!(next & HasChildren) || ++i >= n)
                    break;
                if (i == s + 1
                    && !(m_bigrams[bigramSlot(chars[s].unicode(), chars[i].unicode()) >> 6]
                         & (quint64(1) << (bigramSlot(chars[s].unicode(), chars[i].unicode()) & 63))))
                    break;
                next = child(node, chars[i].unicode());
                if (next < 0)
                    break;
            }
        }
        return;
    }
    int node = 0;
    const qsizetype n = text.size();
    const QChar *chars = text.data();
    for (qsizetype i = 0; i < n; ++i) {
        const int next = step(node, chars[i].unicode());
        node = next & NodeMask;

        if (!(next & HasOutput))
            continue; // most nodes end no word: their data is not even read
        const Node &n = m_nodes[std::size_t(node)];
        for (int o = n.output >= 0 ? node : n.outputLink; o >= 0;) {
            const Node &hit = m_nodes[std::size_t(o)];
            sink(hit.output, i + 1 - m_wordLength[std::size_t(hit.output)]);
            o = hit.outputLink;
        }
    }
}

QString SynonymPass::apply(const QString &text, const std::function<void(int)> &progress) const
{
    if (m_wordLength.empty() || text.isEmpty())
        return text;

    // The text in blocks, kept in order by a linked list; a block merged into its predecessor
    // forwards to it.
    struct Block
    {
        QString text;
        int prev;
        int next;
        int forward;
    };
    std::vector<Block> blocks;
    blocks.reserve(std::size_t(text.size() / BlockSize + 1));
    for (qsizetype at = 0; at < text.size(); at += BlockSize) {
        const int id = int(blocks.size());
        blocks.push_back({text.mid(at, BlockSize), id - 1, -1, id});
        if (id > 0)
            blocks[id - 1].next = id;
    }
    const auto find = [&blocks](int b) {
        while (blocks[b].forward != b)
            b = blocks[b].forward;
        return b;
    };

    // Entries waiting, smallest index first, each with the blocks where its word may start
    // (singly linked lists in one arena).
    const std::size_t entries = m_spans.size();
    std::vector<int> head(entries, -1);
    struct Place
    {
        int block;
        int next;
    };
    std::vector<Place> arena;
    arena.reserve(4096);
    std::vector<char> pending(entries, 0);
    std::priority_queue<int, std::vector<int>, std::greater<int>> queue;
    const auto note = [&](int word, int block, int after) {
        const auto first = m_wordEntries.begin() + m_wordEntryStart[std::size_t(word)];
        const auto last = m_wordEntries.begin() + m_wordEntryStart[std::size_t(word) + 1];
        for (auto it = std::upper_bound(first, last, after); it != last; ++it) {
            arena.push_back({block, head[*it]});
            head[*it] = int(arena.size()) - 1;
            if (!pending[*it]) {
                pending[*it] = 1;
                queue.push(*it);
            }
        }
    };
    scan(QStringView(text), [&](int word, qsizetype start) { note(word, int(start / BlockSize), -1); });

    // The character at offset i past the end of block b, in the blocks after it; 0 past the end.
    const auto charAfter = [&blocks](int b, qsizetype i) -> char16_t {
        for (int m = blocks[b].next; m >= 0; m = blocks[m].next) {
            if (i < blocks[m].text.size())
                return blocks[m].text.at(i).unicode();
            i -= blocks[m].text.size();
        }
        return 0;
    };

    // After entry k put new text at [from, to) of block b: what now starts there, for the
    // entries after k. Only matches that reach into the new text are new.
    const qsizetype reach = m_maxWordLength - 1;
    QString region;
    std::vector<std::pair<qsizetype, int>> owners; // region offset where each block's part begins
    std::vector<int> before;
    const auto rescan = [&](int b, qsizetype from, qsizetype to, int k) {
        region.resize(0);
        owners.clear();
        const QString &own = blocks[b].text;
        // Before: from the blocks in front when the reach goes past this block's start.
        qsizetype need = reach - from;
        before.clear();
        for (int p = blocks[b].prev; p >= 0 && need > 0; p = blocks[p].prev) {
            before.push_back(p);
            need -= blocks[p].text.size();
        }
        for (auto it = before.rbegin(); it != before.rend(); ++it) {
            const QString &t = blocks[*it].text;
            const qsizetype skip = (it == before.rbegin() && need < 0) ? -need : 0;
            owners.push_back({region.size() - skip, *it});
            region += QStringView(t).mid(skip);
        }
        const qsizetype ownStart = qMax<qsizetype>(0, from - reach);
        owners.push_back({region.size() - ownStart, b});
        const qsizetype newFrom = region.size() + (from - ownStart);
        const qsizetype newTo = newFrom + (to - from);
        const qsizetype ownEnd = qMin(own.size(), to + reach);
        region += QStringView(own).mid(ownStart, ownEnd - ownStart);
        for (int nx = blocks[b].next; nx >= 0 && region.size() - newTo < reach; nx = blocks[nx].next)
            region += QStringView(blocks[nx].text).left(reach - (region.size() - newTo));
        scan(QStringView(region), [&](int word, qsizetype start) {
            if (start >= newTo || start + m_wordLength[word] <= newFrom)
                return; // lies in unchanged text: noted when it was formed
            int owner = owners.front().second;
            for (const auto &[offset, id] : owners) {
                if (offset <= start)
                    owner = id;
            }
            note(word, owner, k);
        });
    };

    std::vector<int> list;
    std::vector<qsizetype> found; // the entry's occurrences in the block, left to right
    std::vector<std::pair<qsizetype, qsizetype>> inserted;
    QString rebuilt;
    int reported = -20;
    while (!queue.empty()) {
        const int k = queue.top();
        queue.pop();
        pending[k] = 0;
        if (progress && k / 20 != reported / 20) {
            progress(k);
            reported = k;
        }
        const Span &span = m_spans[std::size_t(k)];
        const QStringView word = QStringView(m_text).mid(span.word, span.wordLength);
        const QStringView replacement =
            QStringView(m_text).mid(span.replacement, span.replacementLength);
        const qsizetype length = word.size();
        list.clear();
        for (int p = head[k]; p >= 0; p = arena[p].next)
            list.push_back(find(arena[p].block));
        head[k] = -1;
        std::sort(list.begin(), list.end());
        list.erase(std::unique(list.begin(), list.end()), list.end());
        int done = -1;
        for (int b : list) {
            b = find(b);
            if (b <= done)
                continue;
            // An occurrence that starts here and runs into the next block: join the two first,
            // so that the replacement sees the text as one.
            for (;;) {
                const QString &t = blocks[b].text;
                found.clear();
                for (qsizetype at = findIn(t, word, 0); at >= 0; at = findIn(t, word, at + length))
                    found.push_back(at);
                if (blocks[b].next < 0 || length < 2)
                    break;
                const qsizetype end = found.empty() ? 0 : found.back() + length;
                bool crosses = false;
                for (qsizetype p = qMax(end, t.size() - length + 1); p < t.size() && !crosses; ++p) {
                    qsizetype i = 0;
                    while (i < length) {
                        const char16_t c = p + i < t.size() ? t.at(p + i).unicode()
                                                            : charAfter(b, p + i - t.size());
                        if (c != word.at(i).unicode())
                            break;
                        ++i;
                    }
                    crosses = i == length;
                }
                if (!crosses)
                    break;
                const int nx = blocks[b].next;
                blocks[b].text += blocks[nx].text;
                blocks[b].next = blocks[nx].next;
                if (blocks[nx].next >= 0)
                    blocks[blocks[nx].next].prev = b;
                blocks[nx].forward = b;
                blocks[nx].text.clear();
            }
            done = b;
            QString &t = blocks[b].text;
            if (found.empty())
                continue;
            rebuilt.resize(0);
            inserted.clear();
            qsizetype copied = 0;
            for (const qsizetype at : found) {
                rebuilt += QStringView(t).mid(copied, at - copied);
                inserted.push_back({rebuilt.size(), rebuilt.size() + replacement.size()});
                rebuilt += replacement;
                copied = at + length;
            }
            rebuilt += QStringView(t).mid(copied);
            t.swap(rebuilt); // the old buffer is reused for the next rebuild
            // Look again around the new text; ranges close together are looked at once.
            for (std::size_t i = 0; i < inserted.size();) {
                qsizetype from = inserted[i].first;
                qsizetype to = inserted[i].second;
                std::size_t j = i + 1;
                while (j < inserted.size() && inserted[j].first - to <= 2 * reach + 1)
                    to = inserted[j++].second;
                rescan(b, from, to, k);
                i = j;
            }
        }
    }
    if (progress)
        progress(int(entries) - 1);

    QString out;
    qsizetype total = 0;
    for (int b = 0; b >= 0; b = blocks[b].next)
        total += blocks[b].text.size();
    out.reserve(total);
    for (int b = 0; b >= 0; b = blocks[b].next)
        out += blocks[b].text;
    return out;
}

QString SynonymPass::applyStraightforward(const SynonymTable &table, const QString &text)
{
    QString out = text;
    for (const SynonymPair &pair : table) {
        if (!pair.Word.isEmpty() && out.contains(pair.Word))
            out.replace(pair.Word, pair.Replacement);
    }
    return out;
}
