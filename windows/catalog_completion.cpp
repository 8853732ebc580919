#include "windows/catalog_completion.h"

#include <cstring>

#include "base/gobject_ptr.h"
#include "sql/db2_identifier.h"
#include "windows/editor_keys.h"

namespace zuno {

// The provider object GtkSourceView asks; it hands every question to its
// owner, and answers nothing once the owner is gone.
struct ZunoCatalogNameProvider {
  GObject parent;
  CatalogCompletion* owner;
};
struct ZunoCatalogNameProviderClass {
  GObjectClass parent;
};

struct CatalogCompletion::Hooks {
  static CatalogCompletion* Owner(GtkSourceCompletionProvider* p) { return reinterpret_cast<ZunoCatalogNameProvider*>(p)->owner; }
  static bool Asked(GtkSourceCompletionContext* context) {
    return gtk_source_completion_context_get_activation(context) == GTK_SOURCE_COMPLETION_ACTIVATION_USER_REQUESTED;
  }
  static GtkTextIter IterOf(GtkSourceCompletionContext* context) {
    GtkTextIter iter;
    gtk_source_completion_context_get_iter(context, &iter);
    return iter;
  }

  static gchar* Name(GtkSourceCompletionProvider*) { return g_strdup("Catalog"); }

  static gboolean Match(GtkSourceCompletionProvider* p, GtkSourceCompletionContext* context) {
    CatalogCompletion* owner = Owner(p);
    if (!owner || !owner->source_ || !owner->source_()) return FALSE;
    return owner->ContextAt(IterOf(context), Asked(context)).kind != CompletionContext::Kind::None;
  }

  static void Populate(GtkSourceCompletionProvider* p, GtkSourceCompletionContext* context) {
    CatalogCompletion* owner = Owner(p);
    if (!owner) return gtk_source_completion_context_add_proposals(context, p, nullptr, TRUE);
    owner->DropWaiting();
    std::optional<CatalogNameCache::Offer> offer = owner->Offer(IterOf(context), Asked(context));
    if (offer && offer->waiting) {
      owner->waiting_.reset(GTK_SOURCE_COMPLETION_CONTEXT(g_object_ref(context)));
      owner->waitingCancelled_ = g_signal_connect_swapped(
          context, "cancelled", G_CALLBACK(+[](CatalogCompletion* o) { o->DropWaiting(); }), owner);
      return;
    }
    AddProposals(p, context, offer ? *offer : CatalogNameCache::Offer{});
  }

  // Each name is shown as the catalog spells it, with its table's mark when
  // the statement names several, and inserted as SQL writes it.
  static void AddProposals(GtkSourceCompletionProvider* p, GtkSourceCompletionContext* context,
                           const CatalogNameCache::Offer& offer) {
    GList* items = nullptr;
    for (std::size_t k = offer.names.size(); k-- > 0;) {
      const std::string& name = offer.names[k];
      const std::string label = offer.marks[k].empty() ? name : name + "  (" + offer.marks[k] + ")";
      GtkSourceCompletionItem* item = gtk_source_completion_item_new();
      gtk_source_completion_item_set_label(item, label.c_str());
      gtk_source_completion_item_set_text(item, Db2Name(name).c_str());
      items = g_list_prepend(items, item);
    }
    gtk_source_completion_context_add_proposals(context, p, items, TRUE);
    g_list_free_full(items, g_object_unref);
  }

  // Where what was typed of the name at iter starts, an opening quote included.
  static GtkTextIter TypedStart(CatalogCompletion* owner, const GtkTextIter& iter) {
    GtkTextIter start = iter;
    CompletionContext c = owner->ContextAt(iter, true);
    gtk_text_iter_backward_chars(&start, static_cast<gint>(g_utf8_strlen(c.typed.c_str(), -1)));
    return start;
  }

  // The name replaces what was typed of it.
  static gboolean Activate(GtkSourceCompletionProvider* p, GtkSourceCompletionProposal* proposal, GtkTextIter* iter) {
    CatalogCompletion* owner = Owner(p);
    if (!owner) return FALSE;
    GtkTextBuffer* buffer = gtk_text_iter_get_buffer(iter);
    GtkTextIter start = TypedStart(owner, *iter);
    GCharPtr text(gtk_source_completion_proposal_get_text(proposal));
    gtk_text_buffer_begin_user_action(buffer);
    gtk_text_buffer_delete(buffer, &start, iter);
    gtk_text_buffer_insert(buffer, iter, text.get(), -1);
    gtk_text_buffer_end_user_action(buffer);
    return TRUE;
  }

  static gboolean StartIter(GtkSourceCompletionProvider* p, GtkSourceCompletionContext* context,
                            GtkSourceCompletionProposal*, GtkTextIter* iter) {
    CatalogCompletion* owner = Owner(p);
    if (!owner) return FALSE;
    *iter = TypedStart(owner, IterOf(context));
    return TRUE;
  }

  static gboolean KeyInWindow(GtkSourceCompletionProvider* p, GdkEvent* e);

  static void InitInterface(GtkSourceCompletionProviderIface* iface, gpointer) {
    iface->get_name = Name;
    iface->match = Match;
    iface->populate = Populate;
    iface->activate_proposal = Activate;
    iface->get_start_iter = StartIter;
  }
};

namespace {

void ProviderInterfaceInit(GtkSourceCompletionProviderIface* iface) {
  CatalogCompletion::Hooks::InitInterface(iface, nullptr);
}

G_DEFINE_TYPE_WITH_CODE(ZunoCatalogNameProvider, zuno_catalog_name_provider, G_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(GTK_SOURCE_TYPE_COMPLETION_PROVIDER, ProviderInterfaceInit))

void zuno_catalog_name_provider_class_init(ZunoCatalogNameProviderClass*) {}
void zuno_catalog_name_provider_init(ZunoCatalogNameProvider*) {}

// How long typing pauses before names are offered unasked.
constexpr guint kPauseMs = 300;

}  // namespace

CatalogCompletion::CatalogCompletion(GtkWidget* view) : view_(view) {
  // The completion machinery is made when the editor first takes the focus
  // or a key, not at start-up.
  auto attach = G_CALLBACK(+[](CatalogCompletion* self) -> gboolean {
    self->Attach();
    return FALSE;
  });
  focusHandler_ = g_signal_connect_swapped(view, "focus-in-event", attach, this);
  keyHandler_ = g_signal_connect_swapped(view, "key-press-event", attach, this);

  // A paste's text comes when the clipboard's owner sends it, after the
  // paste was asked for: it is no typing, and offers nothing until it is in.
  // A key or a click means no text came.
  g_signal_connect_swapped(view, "paste-clipboard", G_CALLBACK(+[](CatalogCompletion* self) { self->BeginPaste(); }),
                           this);
  g_signal_connect_swapped(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view)), "paste-done",
                           G_CALLBACK(+[](CatalogCompletion* self) { self->EndPaste(); }), this);
  auto endPaste = G_CALLBACK(+[](CatalogCompletion* self, GdkEvent* e) -> gboolean {
    // The middle button pastes the selection.
    if (e->type == GDK_BUTTON_PRESS && e->button.button == GDK_BUTTON_MIDDLE)
      self->BeginPaste();
    else
      self->EndPaste();
    return FALSE;
  });
  g_signal_connect_swapped(view, "key-press-event", endPaste, this);
  g_signal_connect_swapped(view, "button-press-event", endPaste, this);
}

CatalogCompletion::~CatalogCompletion() {
  DropWaiting();
  EndPaste();
  g_signal_handlers_disconnect_by_data(view_, this);
  g_signal_handlers_disconnect_by_data(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view_)), this);
  if (provider_) reinterpret_cast<ZunoCatalogNameProvider*>(provider_.get())->owner = nullptr;
}

void CatalogCompletion::BeginPaste() {
  Attach();
  GtkSourceCompletion* completion = gtk_source_view_get_completion(GTK_SOURCE_VIEW(view_));
  gtk_source_completion_hide(completion);
  if (pasting_) return;
  pasting_ = true;
  gtk_source_completion_block_interactive(completion);
}

void CatalogCompletion::EndPaste() {
  if (!pasting_) return;
  pasting_ = false;
  gtk_source_completion_unblock_interactive(gtk_source_view_get_completion(GTK_SOURCE_VIEW(view_)));
}

// Seen by the window before the keys go anywhere: the Main Window runs a
// statement on Ctrl+Return before the editor sees the key.
gboolean CatalogCompletion::Hooks::KeyInWindow(GtkSourceCompletionProvider* p, GdkEvent* e) {
  CatalogCompletion* owner = Owner(p);
  if (!owner || e->type != GDK_KEY_PRESS || !KeyLeavesCompletion(e->key.keyval, e->key.state)) return FALSE;
  gtk_source_completion_hide(gtk_source_view_get_completion(GTK_SOURCE_VIEW(owner->view_)));
  return FALSE;
}

void CatalogCompletion::Attach() {
  if (provider_) return;
  g_signal_handler_disconnect(view_, focusHandler_);
  g_signal_handler_disconnect(view_, keyHandler_);
  provider_.reset(G_OBJECT(g_object_new(zuno_catalog_name_provider_get_type(), nullptr)));
  reinterpret_cast<ZunoCatalogNameProvider*>(provider_.get())->owner = this;
  GtkSourceCompletion* completion = gtk_source_view_get_completion(GTK_SOURCE_VIEW(view_));
  g_object_set(completion, "auto-complete-delay", kPauseMs, "show-headers", FALSE, "show-icons", FALSE, nullptr);
  gtk_source_completion_add_provider(completion, GTK_SOURCE_COMPLETION_PROVIDER(provider_.get()), nullptr);
  // Gone with the provider, which may outlive this owner but not answer for it.
  g_signal_connect_object(gtk_widget_get_toplevel(view_), "event", G_CALLBACK(Hooks::KeyInWindow), provider_.get(),
                          G_CONNECT_SWAPPED);
}

void CatalogCompletion::WithoutOffer(const std::function<void()>& change) {
  // Before the machinery is attached nothing offers anything unasked.
  if (!provider_) return change();
  GtkSourceCompletion* completion = gtk_source_view_get_completion(GTK_SOURCE_VIEW(view_));
  gtk_source_completion_block_interactive(completion);
  change();
  gtk_source_completion_unblock_interactive(completion);
}

CompletionContext CatalogCompletion::ContextAt(const GtkTextIter& iter, bool asked) const {
  GtkTextBuffer* buffer = gtk_text_iter_get_buffer(&iter);
  GtkTextIter start, end;
  gtk_text_buffer_get_bounds(buffer, &start, &end);
  GCharPtr before(gtk_text_buffer_get_text(buffer, &start, &iter, TRUE));
  GCharPtr whole(gtk_text_buffer_get_text(buffer, &start, &end, TRUE));
  return FindCompletionContext(whole.get(), std::strlen(before.get()), cache_.DefaultSchema(), asked);
}

std::optional<CatalogNameCache::Offer> CatalogCompletion::Offer(const GtkTextIter& iter, bool asked) {
  std::optional<CatalogSource> source = source_ ? source_() : std::nullopt;
  if (!source) return std::nullopt;
  cache_.UseSource(*source);
  CatalogNameCache::Offer offer = cache_.OfferFor(ContextAt(iter, asked));
  if (offer.toRead) Read(*offer.toRead);
  return offer;
}

std::vector<std::string> CatalogCompletion::OfferAtCursor(bool asked) {
  GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(view_));
  GtkTextIter iter;
  gtk_text_buffer_get_iter_at_mark(buffer, &iter, gtk_text_buffer_get_insert(buffer));
  std::optional<CatalogNameCache::Offer> offer = Offer(iter, asked);
  return offer ? offer->names : std::vector<std::string>{};
}

// The runner applies only while the program runs, and the program ends the
// runner before the windows and this completion go.
void CatalogCompletion::Read(const NameRequest& request) {
  ++reads_;
  CatalogSource source = cache_.source();
  std::uint64_t generation = cache_.generation();
  // Each read is a kind of its own: a read of another schema replaces none.
  jobs_->RunInBackground(
      "catalog names " + std::to_string(++readsStarted_),
      [source, request](std::stop_token stop) {
        return ReadNames(source, request, [&stop] { return stop.stop_requested(); });
      },
      [this, request, generation](NamesRead& read) {
        --reads_;
        cache_.Store(generation, request, std::move(read));
        if (waiting_) OfferWhenRead(waiting_.get());
      },
      // A read that failed offers nothing rather than leaving the popup to
      // wait for it; the next question reads again.
      [this](const std::string&) {
        --reads_;
        if (!waiting_) return;
        GObjectPtr<GtkSourceCompletionContext> context(GTK_SOURCE_COMPLETION_CONTEXT(g_object_ref(waiting_.get())));
        DropWaiting();
        Hooks::AddProposals(GTK_SOURCE_COMPLETION_PROVIDER(provider_.get()), context.get(), CatalogNameCache::Offer{});
      });
}

void CatalogCompletion::OfferWhenRead(GtkSourceCompletionContext* context) {
  GObjectPtr<GtkSourceCompletionContext> keep(GTK_SOURCE_COMPLETION_CONTEXT(g_object_ref(context)));
  DropWaiting();
  Hooks::Populate(GTK_SOURCE_COMPLETION_PROVIDER(provider_.get()), context);
}

void CatalogCompletion::DropWaiting() {
  if (!waiting_) return;
  g_signal_handler_disconnect(waiting_.get(), waitingCancelled_);
  waiting_.reset();
}

}  // namespace zuno
