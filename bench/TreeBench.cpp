// TreeBench - what the results tree's work costs as its rows grow from 20 to
// 20,000, and what each row takes in memory.
//
// The tree is set up as the program's scan page sets it up (check boxes,
// 30-pixel rows, the focused row 70 high with its picture and wrapped
// description) and painted through WM_PRINTCLIENT into a bitmap of its client
// size. Three kinds of work are timed on a tree of 20 rows (the baseline,
// which fills the client area too) and on one of 20,000, in turns: painting one screen of rows in
// the middle of the list, scrolling by a page and painting, and moving the focus to the next row by
// key and painting. None of them should depend on the number of rows, so each ratio should be near
// 1 (the target is at most 1.5). Memory: the bytes the heap holds for the rows, after every row was
// initialised, divided by their number.
#include <classlib/Forms.h>
#include <widgets/tree/VirtualTrees.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <new>
#include <string>

// --- Heap bytes in use, counted by the program's own operator new -------------------------

namespace {

size_t LiveBytes = 0;
// Room for the size ahead of each block, keeping the platform's alignment.
constexpr size_t BlockHeader = 16;

void* Allocate(size_t size) {
    auto block = static_cast<unsigned char*>(std::malloc(size + BlockHeader));
    if (!block) throw std::bad_alloc();
    *reinterpret_cast<size_t*>(block) = size;
    LiveBytes += size;
    return block + BlockHeader;
}

void Release(void* pointer) {
    if (!pointer) return;
    auto block = static_cast<unsigned char*>(pointer) - BlockHeader;
    LiveBytes -= *reinterpret_cast<size_t*>(block);
    std::free(block);
}

}  // namespace

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* pointer) noexcept { Release(pointer); }
void operator delete[](void* pointer) noexcept { Release(pointer); }
void operator delete(void* pointer, size_t) noexcept { Release(pointer); }
void operator delete[](void* pointer, size_t) noexcept { Release(pointer); }

// --- The tree as the scan page has it -------------------------------------------------------

namespace {

constexpr int TreeWidth = 600;
constexpr int TreeHeight = 500;

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

class TBench {
public:
    TBench() {
        FForm = std::make_unique<TForm>(nullptr);
        FForm->SetBounds(0, 0, TreeWidth + 40, TreeHeight + 60);
        FImages = new TImageList(FForm.get());
        TBitmap image;
        image.SetSize(16, 16);
        FImages->Add(&image, nullptr);
        FTree = new TVirtualStringTree(FForm.get());
        FTree->SetParent(FForm.get());
        FTree->SetBounds(0, 0, TreeWidth, TreeHeight);
        FTree->SetImages(FImages);
        FTree->SetDefaultNodeHeight(30);
        FTree->SetShowDescription(true);
        FTree->SelectedPicture()->Bitmap()->SetSize(48, 40);
        FTree->OnInitNode = [](TBaseVirtualTree* sender, PVirtualNode node) {
            sender->SetCheckType(node, ctTriStateCheckBox);
            sender->SetCheckState(node, csCheckedNormal);
            sender->SetNodeHeight(node, 30);
        };
        FTree->OnGetText = [](TBaseVirtualTree*, PVirtualNode node, TColumnIndex, TVSTTextType,
                              std::string& text) {
            text = "Title: HKEY_CLASSES_ROOT\\CLSID\\entry " + std::to_string(node->Index());
        };
        FTree->OnGetImageIndex = [](TBaseVirtualTree*, PVirtualNode, TVTImageKind, TColumnIndex,
                                    bool&, int& index) { index = 0; };
        FTree->OnFocusChanging = [this](TBaseVirtualTree* sender, PVirtualNode from,
                                        PVirtualNode to, bool&) {
            if (from) sender->SetNodeHeight(from, 30);
            if (!to) return;
            sender->SetNodeHeight(to, 70);
            FTree->SetSelectedDescription(
                "Found an Item in HKEY_CLASSES_ROOT\\CLSID\\{row " + std::to_string(to->Index()) +
                "} point to a missing file C:\\Program Files\\Old\\gone.dll that should be "
                "deleted.");
        };
        FTarget.SetPixelFormat(pf32bit);
    }

    TVirtualStringTree* Tree() const { return FTree; }

    // The rows, the focus on the middle one and the view around it.
    void Fill(unsigned rows) {
        FTree->Clear();
        FTree->SetRootNodeCount(rows);
        PVirtualNode middle = FTree->GetFirst();
        for (unsigned i = 0; i < rows / 2; ++i) middle = FTree->GetNext(middle);
        FTree->SetSelected(middle, true);
        FTree->SetFocusedNode(middle);
        FTree->ScrollIntoView(middle);
        FTarget.SetSize(FTree->ClientWidth(), FTree->ClientHeight());
        Paint();
    }

    void Paint() {
        HDC dc = FTarget.Canvas()->Handle();
        SendMessageA(FTree->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    }

    void Key(WORD key) { SendMessageA(FTree->Handle(), WM_KEYDOWN, key, 0); }

    // Microseconds per round of work, each round followed by a paint.
    double MicrosecondsPerRound(int rounds, const std::function<void(int round)>& work) {
        LARGE_INTEGER start, stop;
        QueryPerformanceCounter(&start);
        for (int round = 0; round < rounds; ++round) {
            work(round);
            Paint();
        }
        QueryPerformanceCounter(&stop);
        return Seconds(start, stop) * 1e6 / rounds;
    }

private:
    std::unique_ptr<TForm> FForm;
    TImageList* FImages = nullptr;
    TVirtualStringTree* FTree = nullptr;
    TBitmap FTarget;
};

using TWork = std::function<void(TBench& bench, int round)>;

// The fastest of several batches for each tree, the batches of the two trees
// taking turns, so that both meet the same conditions of the machine.
std::pair<double, double> Compare(TBench& small, TBench& large, const TWork& work) {
    constexpr int Batches = 41, Rounds = 10;
    double best[2] = {1e30, 1e30};
    TBench* benches[2] = {&small, &large};
    for (int batch = 0; batch < Batches; ++batch)
        for (int which = 0; which < 2; ++which) {
            TBench& bench = *benches[which];
            const double time =
                bench.MicrosecondsPerRound(Rounds, [&](int round) { work(bench, round); });
            if (batch > 0 && time < best[which]) best[which] = time;  // the first warms up
        }
    return {best[0], best[1]};
}

}  // namespace

int main() {
    TBench small, large;
    small.Fill(20);
    large.Fill(20000);
    const struct {
        const char* name;
        TWork work;
    } kinds[] = {
        {"paint one screen", [](TBench&, int) {}},
        {"scroll by a page, paint",
         [](TBench& bench, int round) {
             SendMessageA(bench.Tree()->Handle(), WM_VSCROLL, round % 2 ? SB_PAGEUP : SB_PAGEDOWN,
                          0);
         }},
        {"focus the next row by key, paint",
         [](TBench& bench, int round) { bench.Key(round % 2 ? VK_UP : VK_DOWN); }},
    };
    std::printf("%-40s %10s %10s %8s\n", "us per round (one screen painted)", "20 rows",
                "20000 rows", "ratio");
    for (const auto& kind : kinds) {
        const auto [few, many] = Compare(small, large, kind.work);
        std::printf("%-40s %10.1f %10.1f %8.2f\n", kind.name, few, many, many / few);
    }

    // The rows' memory, in a tree of its own: none before, 20,000 rows all
    // initialised after.
    const size_t before = LiveBytes;
    {
        TVirtualStringTree tree(nullptr);
        tree.OnInitNode = [](TBaseVirtualTree* sender, PVirtualNode node) {
            sender->SetCheckType(node, ctTriStateCheckBox);
            sender->SetCheckState(node, csCheckedNormal);
        };
        const size_t empty = LiveBytes;
        tree.SetRootNodeCount(20000);
        for (PVirtualNode node = tree.GetFirst(); node; node = tree.GetNext(node))
            tree.CheckState(node);
        const size_t rows = LiveBytes - empty;
        std::printf("memory per row: %.1f bytes (%zu bytes for 20000 rows)\n", double(rows) / 20000,
                    rows);
    }
    std::printf("left allocated after the tree went: %zu bytes\n", LiveBytes - before);
    return 0;
}
