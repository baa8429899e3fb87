// Sharing one data list among several charts (UseDataOf): who shows whose
// data, and what happens when an owner goes away.

#include "chart/ChartDrawingList.h"

#include <algorithm>

TChartDrawingList::~TChartDrawingList() {
    Detach();
    // Each sharer keeps what it showed as a list of its own, so that no one
    // is left pointing at a list that is gone.
    const std::vector<TChartDrawingList*> sharers = std::move(FDataSharers);
    FDataSharers.clear();
    for (TChartDrawingList* sharer : sharers) {
        sharer->FOwnData = FOwnData;
        sharer->FData = &sharer->FOwnData;
        sharer->FDataSource = nullptr;
        sharer->KeepMarkerInList();
    }
    for (TChartDrawingList* sharer : sharers)
        sharer->RepaintIfAuto();
}

void TChartDrawingList::AttachTo(TChartDrawingList* Owner) {
    FDataSource = Owner;
    FData = &Owner->FOwnData;
    Owner->FDataSharers.push_back(this);
    KeepMarkerInList();
}

void TChartDrawingList::Detach() {
    if (FDataSource) {
        auto& list = FDataSource->FDataSharers;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    FDataSource = nullptr;
    FData = &FOwnData;
    KeepMarkerInList();
}

void TChartDrawingList::ShareDataOf(TChartDrawingList* Source) {
    if (Source == this)
        Source = nullptr;
    TChartDrawingList* owner = Source && Source->FDataSource ? Source->FDataSource : Source;
    if (owner == this)
        owner = nullptr;
    if (owner == FDataSource)
        return;
    // Only an owner has sharers; they follow it to its new owner.
    const std::vector<TChartDrawingList*> followers = std::move(FDataSharers);
    FDataSharers.clear();
    Detach();
    if (owner)
        AttachTo(owner);
    for (TChartDrawingList* follower : followers) {
        follower->FDataSource = nullptr;
        follower->AttachTo(owner);
    }
    RepaintIfAuto();
    for (TChartDrawingList* follower : followers)
        follower->RepaintIfAuto();
}

std::vector<TChartDrawingList*> TChartDrawingList::ListsSharingData() const {
    if (!FDataSource)
        return FDataSharers;
    std::vector<TChartDrawingList*> out{FDataSource};
    for (TChartDrawingList* sharer : FDataSource->FDataSharers)
        if (sharer != this)
            out.push_back(sharer);
    return out;
}

void TChartDrawingList::KeepMarkerInList() {
    FLastElemOnShow = std::clamp(FLastElemOnShow, 0, std::max(0, NumItems() - 1));
}

void TChartDrawingList::AdjustCanInfoOfSharedCharts() {
    KeepMarkerInList();
    for (TChartDrawingList* other : ListsSharingData())
        other->KeepMarkerInList();
}
