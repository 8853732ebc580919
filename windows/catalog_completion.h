// Completion of table and column names in the SQL editor from the connected
// database's catalog. Names are read by the job runner's background work,
// once per connection and schema; typing never waits for them, and offers
// appear when they come.
#pragma once

#include <gtk/gtk.h>
#include <gtksourceview/gtksource.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/gobject_ptr.h"
#include "catalog/catalog_names.h"
#include "catalog/name_cache.h"
#include "session/job_runner.h"

namespace zuno {

class CatalogCompletion {
 public:
  // Where the names come from: the connection's values, nullopt while there
  // is no connection (nothing is then offered, and nothing read).
  using SourceOf = std::function<std::optional<CatalogSource>()>;

  explicit CatalogCompletion(GtkWidget* view);
  ~CatalogCompletion();
  CatalogCompletion(const CatalogCompletion&) = delete;
  CatalogCompletion& operator=(const CatalogCompletion&) = delete;

  void SetSource(SourceOf source, JobRunner& jobs) {
    source_ = std::move(source);
    jobs_ = &jobs;
  }
  // The names read so far belong to the connection a Connect replaces.
  void ForgetNames() { cache_.Forget(); }

  // The names offered at the view's cursor now, without waiting: empty while
  // they are being read (the read is then started, once).
  std::vector<std::string> OfferAtCursor(bool asked);
  // Whether a read started by an offer has not been applied yet.
  bool Reading() const { return reads_ > 0; }
  // Runs change with no offer made unasked for what it does to the text.
  void WithoutOffer(const std::function<void()>& change);

  // The provider's side, called from its GObject.
  struct Hooks;

 private:
  void Attach();
  // Between a paste asked for and its text put in, nothing is offered unasked.
  void BeginPaste();
  void EndPaste();
  CompletionContext ContextAt(const GtkTextIter& iter, bool asked) const;
  std::optional<CatalogNameCache::Offer> Offer(const GtkTextIter& iter, bool asked);
  void Read(const NameRequest& request);
  void OfferWhenRead(GtkSourceCompletionContext* context);
  void DropWaiting();

  GtkWidget* view_;
  GObjectPtr<GObject> provider_;
  gulong focusHandler_ = 0;
  gulong keyHandler_ = 0;
  bool pasting_ = false;
  SourceOf source_;
  CatalogNameCache cache_;
  JobRunner* jobs_ = nullptr;
  int reads_ = 0;
  std::uint64_t readsStarted_ = 0;
  // The popup's request that waits for names being read.
  GObjectPtr<GtkSourceCompletionContext> waiting_;
  gulong waitingCancelled_ = 0;
};

}  // namespace zuno
