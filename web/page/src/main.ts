// The page: a thin view over the main window's model, which runs in
// WebAssembly. Every user action goes into the model by control name; what
// the model says has changed is drawn again. No rule of the program lives
// here.
import wasmUrl from 'qntcalc-window-model.wasm?url';
import { toBlob } from 'html-to-image';
import type {
  Box, Cell, ControlState, KeptFile, MainWindow, Outcome, PageLayout, PrintSheet, SaveAnswer,
} from './model';
import './style.css';
import LimitsWorker from './limits-worker?worker&inline';
import { instantiate } from './window-model';
// The desktop program's own help file, an HTML page with an anchor a topic.
import helpPage from '../../../help/QntCalc.hlp?raw';

interface View {
  show(state: ControlState): void;
}

const views = new Map<string, View>();
const states = new Map<string, ControlState>();
let model: MainWindow;
let compiled: WebAssembly.Module;
let bytesToRead = Infinity;
// A modal box takes the focus from the field without the user leaving it,
// as a box over the desktop window does.
let boxOpen = false;
let quietFocus = false;

function element<K extends keyof HTMLElementTagNameMap>(
  tag: K, className = '', text = ''): HTMLElementTagNameMap[K] {
  const made = document.createElement(tag);
  if (className) made.className = className;
  if (text) made.textContent = text;
  return made;
}

function mirrorCommon(view: HTMLElement, state: ControlState): void {
  view.hidden = !state.visible;
  view.title = state.hint;
  view.classList.toggle('disabled', !state.enabled);
}

function register(name: string, view: View): void {
  views.set(name, view);
  const state = states.get(name);
  if (state) view.show(state);
}

function show(state: ControlState): void {
  states.set(state.name, state);
  views.get(state.name)?.show(state);
}

// What came of an action: the changes drawn, then each box in turn, then
// the question the action stopped at, and the action again with its answer;
// then the file to save into or to open, which the action asked for.
async function run(action: (answer: SaveAnswer) => Outcome): Promise<void> {
  try {
    let answer: SaveAnswer = '';
    let outcome = action(answer);
    await apply(outcome);
    if (outcome.question) {
      answer = await ask(outcome.question.caption, outcome.question.text);
      if (answer === 'cancel') return;
      outcome = action(answer);
      await apply(outcome);
    }
    if (outcome.chooseSave !== undefined) {
      const name = await chooseSaveName(outcome.chooseSave);
      if (name) await apply(model.saveAs(name));
    }
    if (outcome.chooseOpen) {
      const picked = await pickFile();
      if (picked) await openFile(picked.file, picked.handle, answer);
    }
  } catch (error) {
    // What the model could not do is said, and the page goes on.
    const text = error instanceof Error ? error.message : `internal error ${String(error)}`;
    await showBox({ caption: 'QntCalc', text, kind: 'critical' });
  }
}

async function apply(outcome: Outcome): Promise<void> {
  outcome.changed.forEach(show);
  if (outcome.changed.length) requestLimits();
  document.title = (outcome.modified ? '* ' : '') + outcome.title;
  document.body.dataset.modified = String(outcome.modified);
  for (const box of outcome.boxes) await showBox(box);
  if (outcome.help !== undefined) showHelp(outcome.help);
  if (outcome.about) await showAbout(outcome.about.caption, outcome.about.lines);
  for (const file of outcome.written) await store(file.name, file.bytes);
  // The file chosen to save into belongs to the project that was open.
  if (outcome.opened) saveHandle = openedHandle;
  if (outcome.recent) {
    showRecent(outcome.recent);
    keepProjects(model.keptFiles());
  }
}

function modal<T>(caption: string, text: string, kind: string, buttons: [string, T][]): Promise<T> {
  const focused = document.activeElement as HTMLElement | null;
  const dialog = element('dialog', `box ${kind}`);
  dialog.setAttribute('aria-label', caption);
  dialog.append(element('h2', '', caption), element('p', '', text));
  const row = element('div', 'buttons');
  dialog.append(row);
  document.body.append(dialog);
  boxOpen = true;
  return new Promise<T>((resolve) => {
    const close = (value: T) => {
      dialog.close();
      dialog.remove();
      boxOpen = false;
      if (focused && document.contains(focused)) {
        quietFocus = true;
        focused.focus();
        quietFocus = false;
      }
      resolve(value);
    };
    for (const [label, value] of buttons) {
      const button = element('button', '', label);
      button.type = 'button';
      button.addEventListener('click', () => close(value));
      row.append(button);
    }
    // Escape closes the box as its last button (OK, or Cancel).
    dialog.addEventListener('cancel', (event) => {
      event.preventDefault();
      close(buttons[buttons.length - 1][1]);
    });
    dialog.showModal();
    (row.firstElementChild as HTMLElement).focus();
  });
}

function showBox(box: Box): Promise<void> {
  return modal(box.caption, box.text, box.kind, [['OK', undefined]]);
}

// The About box: the program's title, its version, the copyright and the
// maker, a line each.
function showAbout(caption: string, lines: string[]): Promise<void> {
  return modal(caption, lines.join('\n'), 'about', [['OK', undefined]]);
}

function ask(caption: string, text: string): Promise<SaveAnswer> {
  return modal<SaveAnswer>(caption, text, 'question', [
    ['Save', 'save'],
    ["Don't Save", 'discard'],
    ['Cancel', 'cancel'],
  ]);
}

// Beside the window, as the desktop program's help window: the page stays
// usable while it is open.
function showHelp(topic: number): void {
  let help = document.querySelector<HTMLDialogElement>('dialog.help');
  if (!help) {
    help = element('dialog', 'help');
    help.setAttribute('aria-label', 'Help');
    const close = element('button', 'close', 'Close');
    close.type = 'button';
    close.addEventListener('click', () => help!.close());
    const frame = element('iframe');
    frame.title = 'QntCalc Help';
    frame.setAttribute('sandbox', 'allow-same-origin');
    frame.srcdoc = helpPage;
    // Until then the frame holds an empty document that looks loaded too.
    frame.addEventListener('load', () => (frame.dataset.loaded = 'true'), { once: true });
    help.append(close, frame);
    document.body.append(help);
  }
  const frame = help.querySelector('iframe')!;
  const scroll = () => {
    const doc = frame.contentDocument;
    const anchor = topic ? doc?.querySelector(`a[name="topic${topic}"]`) : doc?.body;
    anchor?.scrollIntoView();
  };
  help.dataset.topic = String(topic);
  if (!help.open) help.show();
  if (frame.dataset.loaded) scroll();
  else frame.addEventListener('load', scroll, { once: true });
}

// Where the browser lets the page write a file the user chose, Save as
// asks for one and Save writes it again; elsewhere each save is a download.
interface SaveHandle {
  name: string;
  createWritable(): Promise<{ write(data: Blob): Promise<void>; close(): Promise<void> }>;
}
type SavePicker = (options: object) => Promise<SaveHandle>;
let saveHandle: SaveHandle | null = null;
// The file being opened, where the browser handed the page one it may
// write: Save then writes the project back into it.
interface OpenHandle extends SaveHandle {
  getFile(): Promise<File>;
}
type OpenPicker = (options: object) => Promise<OpenHandle[]>;
let openedHandle: SaveHandle | null = null;
const projectTypes = [{ description: 'Project files', accept: { 'application/octet-stream': ['.ini'] } }];

async function chooseSaveName(proposed: string): Promise<string | null> {
  const picker = (window as unknown as { showSaveFilePicker?: SavePicker }).showSaveFilePicker;
  if (!picker) {
    saveHandle = null;
    return proposed;
  }
  try {
    saveHandle = await picker({ suggestedName: proposed, types: projectTypes });
    return saveHandle.name;
  } catch (error) {
    if (error instanceof DOMException && error.name === 'AbortError') return null;
    // A picker the browser refuses (a page from disk in some browsers):
    // the download is left.
    saveHandle = null;
    return proposed;
  }
}

async function store(name: string, bytes: Uint8Array): Promise<void> {
  const blob = new Blob([bytes.slice()], { type: 'application/octet-stream' });
  if (saveHandle && saveHandle.name === name) {
    try {
      const writable = await saveHandle.createWritable();
      await writable.write(blob);
      await writable.close();
      return;
    } catch (error) {
      const reason = error instanceof Error ? error.message : String(error);
      await showBox({ caption: 'Save Error', kind: 'critical',
                      text: `${name} could not be written (${reason}); it is downloaded instead.` });
    }
  }
  deliver(name, blob);
}

function deliver(name: string, blob: Blob): void {
  const link = element('a');
  link.href = URL.createObjectURL(blob);
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 10_000);
}

// Open: the browser's own picker where it has one, the file input elsewhere.
let filePicked: ((file: File | null) => void) | null = null;

async function pickFile(): Promise<{ file: File; handle: SaveHandle | null } | null> {
  const picker = (window as unknown as { showOpenFilePicker?: OpenPicker }).showOpenFilePicker;
  if (picker) {
    try {
      const [handle] = await picker({ types: projectTypes });
      return { file: await handle.getFile(), handle };
    } catch (error) {
      if (error instanceof DOMException && error.name === 'AbortError') return null;
      // Refused (a page from disk in some browsers): the file input is left.
    }
  }
  const file = await new Promise<File | null>((resolve) => {
    filePicked = resolve;
    fileInput.click();
  });
  return file ? { file, handle: null } : null;
}

// `answer`: the one given to the question before the file was picked,
// which the model asks again while the changes are still unsaved.
async function openFile(
  file: File, handle: SaveHandle | null = null, answer: SaveAnswer = ''): Promise<void> {
  const bytes = new Uint8Array(await file.slice(0, bytesToRead).arrayBuffer());
  openedHandle = handle;
  try {
    await run((given) => model.openFile(file.name, bytes, given || answer));
  } finally {
    openedHandle = null;
  }
}

// Controls

function label(name: string): HTMLElement {
  const view = element('span', 'label');
  view.dataset.control = name;
  register(name, {
    show(state) {
      mirrorCommon(view, state);
      view.textContent = state.caption ?? '';
    },
  });
  return view;
}

function edit(name: string): HTMLElement {
  const view = element('input', 'field');
  view.type = 'text';
  view.dataset.control = name;
  view.spellcheck = false;
  view.autocomplete = 'off';
  view.addEventListener('focus', () => {
    if (!quietFocus) void run(() => model.enterField(name));
  });
  view.addEventListener('input', () => void run(() => model.typeText(name, view.value)));
  view.addEventListener('blur', () => {
    if (!boxOpen && document.hasFocus()) void run(() => model.leaveField(name));
  });
  register(name, {
    show(state) {
      mirrorCommon(view, state);
      if (view.value !== state.text) view.value = state.text ?? '';
      view.readOnly = !!state.readOnly;
      view.disabled = !state.enabled;
      view.classList.toggle('result', !!state.readOnly);
    },
  });
  return view;
}

// A check box or a radio button with its caption beside it.
function captioned(
  name: string, type: 'checkbox' | 'radio'): { view: HTMLElement; input: HTMLInputElement } {
  const view = element('label', type === 'checkbox' ? 'check' : 'radio');
  const input = element('input');
  input.type = type;
  input.dataset.control = name;
  const caption = element('span');
  view.append(input, caption);
  register(name, {
    show(state) {
      mirrorCommon(view, state);
      input.checked = !!state.checked;
      input.disabled = !state.enabled;
      caption.textContent = state.caption ?? '';
    },
  });
  return { view, input };
}

function checkBox(name: string): HTMLElement {
  const { view, input } = captioned(name, 'checkbox');
  input.addEventListener('change', () => void run(() => model.setChecked(name, input.checked)));
  input.addEventListener('blur', () => {
    if (!boxOpen && document.hasFocus()) void run(() => model.leaveCheckBox(name));
  });
  return view;
}

function radio(name: string): HTMLElement {
  const { view, input } = captioned(name, 'radio');
  input.addEventListener('change', () => void run(() => model.selectRadio(name)));
  return view;
}

function comboBox(name: string): HTMLElement {
  const view = element('select', 'list');
  view.dataset.control = name;
  view.addEventListener('change', () => void run(() => model.pickItem(name, view.selectedIndex)));
  register(name, {
    show(state) {
      mirrorCommon(view, state);
      const items = state.items ?? [];
      if ([...view.options].map((o) => o.text).join('\n') !== items.join('\n')) {
        view.replaceChildren(...items.map((item) => new Option(item)));
      }
      view.selectedIndex = state.index ?? -1;
      view.disabled = !state.enabled;
    },
  });
  return view;
}

function control(name: string): HTMLElement {
  switch (states.get(name)?.kind) {
    case 'edit': return edit(name);
    case 'check': return checkBox(name);
    case 'radio': return radio(name);
    case 'combo': return comboBox(name);
    default: return label(name);
  }
}

// Pages, laid out from the model's table of cells

function cell(layout: Cell): HTMLElement {
  let view: HTMLElement;
  const [first, ...rest] = layout.controls;
  switch (layout.arrangement) {
    case 'boxed': {
      view = element('fieldset', 'boxed');
      const legend = element('legend');
      legend.append(label(first));
      view.append(legend, ...rest.map(control));
      break;
    }
    case 'side':
    case 'sideRight':
    case 'stacked':
      view = element('div', layout.arrangement);
      view.append(...layout.controls.map(control));
      break;
    default:
      view = control(first);
  }
  view.style.gridRow = String(layout.row + 1);
  view.style.gridColumn = `${layout.column + 1} / span ${layout.columnSpan}`;
  view.classList.add(`align-${layout.align}`);
  return view;
}

function pages(layouts: PageLayout[]): HTMLElement {
  const state = states.get('PageControl1')!;
  const view = element('div', 'pages');
  const tabs = element('div', 'tabs');
  tabs.setAttribute('role', 'tablist');
  const sheets = state.pages!.map((page, index) => {
    const tab = element('button', 'tab', page.caption);
    tab.type = 'button';
    tab.setAttribute('role', 'tab');
    tab.dataset.page = page.name;
    tab.addEventListener('click', () => {
      setLimitsShown(false);
      void run(() => model.selectPage(index));
    });
    tabs.append(tab);
    const layout = layouts[index];
    const sheet = element('div', 'sheet');
    sheet.setAttribute('role', 'tabpanel');
    sheet.dataset.page = page.name;
    sheet.style.gridTemplateColumns = `repeat(${layout.columns}, auto) 1fr`;
    sheet.style.gridTemplateRows = `repeat(${layout.rows}, auto) 1fr`;
    sheet.append(...layout.cells.map(cell));
    return { tab, sheet };
  });
  limitsTab.type = 'button';
  limitsTab.setAttribute('role', 'tab');
  limitsTab.dataset.page = 'Limits';
  limitsTab.addEventListener('click', () => setLimitsShown(true));
  tabs.append(limitsTab);
  limitsPanel.hidden = true;
  limitsPanel.setAttribute('role', 'tabpanel');
  view.append(tabs, ...sheets.map((s) => s.sheet), limitsPanel);
  register('PageControl1', {
    show(next) {
      next.pages!.forEach((page, index) => {
        const { tab, sheet } = sheets[index];
        tab.hidden = !page.tabVisible;
        const active = index === next.active && !limitsShown;
        tab.setAttribute('aria-selected', String(active));
        sheet.hidden = !active;
      });
    },
  });
  return view;
}

// The print sheet, drawn where its layout puts each control, in a dialog
// of its own; printing goes through the browser's print dialog.
function sheetItem(item: PrintSheet['items'][number], width: number): HTMLElement {
  const view = element('div', `sheet-item ${item.kind} frame-${item.frame}`);
  view.dataset.control = item.name;
  view.hidden = !item.visible;
  view.style.top = `${item.top}px`;
  if (item.alignRight) view.style.right = `${width - item.x}px`;
  else view.style.left = `${item.x}px`;
  if (item.anchor === 'topLeftRight') view.style.right = `${width - item.x - item.width}px`;
  else if (item.width) view.style.width = `${item.width}px`;
  if (item.height) view.style.height = `${item.height}px`;
  view.style.fontSize = `${item.points}pt`;
  if (item.bold) view.style.fontWeight = '700';
  const mark = item.kind === 'radio' ? (item.checked ? '\u25C9 ' : '\u25CB ')
    : item.kind === 'check' ? (item.checked ? '\u2611 ' : '\u2610 ')
    : '';
  const text = item.kind === 'edit' ? item.text ?? '' : item.caption ?? '';
  if (item.frame === 'titled') {
    const title = element('span', 'title', text);
    view.append(title);
  } else {
    view.textContent = mark + text;
  }
  return view;
}

function sheetPaper(sheet: PrintSheet): HTMLElement {
  const paper = element('div', 'print-sheet');
  paper.style.width = `${sheet.width}px`;
  paper.style.height = `${sheet.height}px`;
  paper.append(...sheet.items.map((item) => sheetItem(item, sheet.width)));
  return paper;
}

// The sheet as a picture of its own size on the clipboard, as the desktop
// program copies its window's client area. The picture is handed over as
// it is being made, while the user's click still allows the copy.
async function copySheet(sheet: PrintSheet, paper: HTMLElement): Promise<void> {
  const picture = toBlob(paper, { width: sheet.width, height: sheet.height, pixelRatio: 1 }).then((blob) => {
    if (!blob) throw new Error(sheet.failure.noPicture);
    return blob;
  });
  try {
    await navigator.clipboard.write([new ClipboardItem({ 'image/png': picture })]);
  } catch (error) {
    const made = await picture.then(() => true, () => false);
    await showBox({ caption: sheet.failure.caption, kind: 'critical',
                    text: made ? sheet.failure.refused : sheet.failure.noPicture });
  }
}

// From the main window: the sheet shown only while it is copied.
async function copySheetOnce(): Promise<void> {
  const sheet = model.printSheet();
  const stage = element('div', 'sheet-stage');
  const paper = sheetPaper(sheet);
  stage.append(paper);
  document.body.append(stage);
  try {
    await copySheet(sheet, paper);
  } finally {
    stage.remove();
  }
}

function showSheet(print: boolean): void {
  const sheet = model.printSheet();
  document.querySelector('dialog.sheet-view')?.remove();
  const dialog = element('dialog', 'sheet-view');
  dialog.setAttribute('aria-label', sheet.caption);
  const bar = element('div', 'sheet-bar');
  const paper = sheetPaper(sheet);
  const copy = element('button', '', 'Copy');
  copy.type = 'button';
  copy.dataset.control = 'CopytoClipboard1';
  copy.title = states.get('CopytoClipboard1')?.caption ?? '';
  copy.addEventListener('click', () => void copySheet(sheet, paper));
  const printButton = element('button', '', 'Print');
  printButton.type = 'button';
  printButton.addEventListener('click', () => window.print());
  const close = element('button', '', 'Close');
  close.type = 'button';
  close.addEventListener('click', () => dialog.close());
  bar.append(element('span', 'sheet-caption', sheet.caption), copy, printButton, close);
  dialog.append(bar, paper);
  dialog.addEventListener('close', () => {
    dialog.remove();
    boxOpen = false;
  });
  document.body.append(dialog);
  boxOpen = true;
  dialog.showModal();
  if (print) window.print();
}

// The limits overview: a tab of the page's own after the window's pages,
// its rows those of qntcalc-cli --limits, worked out in a worker.
let limitsShown = false;
let limitsWorker: Worker | null = null;
let limitsAsked = 0;
let limitsBusy = false;
let limitsAgain = false;
const limitsPanel = element('div', 'limits');
const limitsTab = element('button', 'tab', 'Limits');

function csvRows(text: string): string[][] {
  const rows: string[][] = [];
  let row: string[] = [];
  let cell = '';
  let quoted = false;
  for (let i = 0; i < text.length; ++i) {
    const c = text[i];
    if (quoted) {
      if (c === '"' && text[i + 1] === '"') { cell += '"'; ++i; }
      else if (c === '"') quoted = false;
      else cell += c;
    } else if (c === '"') quoted = true;
    else if (c === ',') { row.push(cell); cell = ''; }
    else if (c === '\n') { row.push(cell); rows.push(row); row = []; cell = ''; }
    else if (c !== '\r') cell += c;
  }
  if (cell || row.length) { row.push(cell); rows.push(row); }
  return rows;
}

// The columns shown, by the CSV's headings.
const limitsColumns: [string, string][] = [
  ['label', 'Input'], ['current', 'Current'], ['last', 'Last meeting'], ['next', 'First failing'],
  ['margin', 'Margin'], ['fixValue', 'Nearest meeting value'], ['fixRmax', 'Reaction time there'],
  ['needs', 'Needs first'], ['cause', 'Cause'],
];

function showLimits(result: { csv?: string; error?: string }): void {
  const [headings = [], ...rows] = csvRows(result.csv ?? '');
  const table = element('table');
  const head = element('tr');
  head.append(...limitsColumns.map(([, title]) => element('th', '', title)), element('th'));
  table.append(head);
  for (const row of rows) {
    const line = element('tr');
    line.dataset.key = row[headings.indexOf('key')];
    for (const [column] of limitsColumns) {
      const cell = element('td', column, row[headings.indexOf(column)] ?? '');
      cell.dataset.column = column;
      line.append(cell);
    }
    const use = element('td', 'use');
    const key = line.dataset.key ?? '';
    const value = row[headings.indexOf('fixValue')];
    if (value) {
      const button = element('button', '', 'Use this value');
      button.type = 'button';
      button.addEventListener('click', () => void run(() => model.useValue(key, Number(value))));
      use.append(button);
    }
    line.append(use);
    table.append(line);
  }
  const note = element('p', 'note', result.error ?? (rows.length ? '' : 'No input can be typed into now.'));
  limitsPanel.replaceChildren(table, note);
  limitsPanel.dataset.ready = String(limitsAsked);
}

function requestLimits(): void {
  if (!limitsShown) return;
  if (limitsBusy) {
    limitsAgain = true; // only the newest state is worth working out
    return;
  }
  const bytes = model.projectBytes();
  if (!bytes) return;
  if (!limitsWorker) {
    limitsWorker = new LimitsWorker();
    limitsWorker.postMessage({ compiled });
    limitsWorker.onerror = (event) => {
      limitsBusy = false;
      showLimits({ error: `The limits overview could not be worked out: ${event.message}` });
    };
    limitsWorker.onmessage = (event: MessageEvent<{ id: number; csv?: string; error?: string }>) => {
      limitsBusy = false;
      if (limitsAgain) {
        limitsAgain = false;
        requestLimits();
      } else if (event.data.id === limitsAsked) showLimits(event.data);
    };
  }
  limitsBusy = true;
  limitsPanel.dataset.ready = '';
  if (!limitsPanel.firstChild) limitsPanel.append(element('p', 'note', 'Working out the limits\u2026'));
  limitsWorker.postMessage({ id: ++limitsAsked, bytes });
}

function setLimitsShown(shown: boolean): void {
  limitsShown = shown;
  limitsTab.setAttribute('aria-selected', String(shown));
  limitsPanel.hidden = !shown;
  const pages = states.get('PageControl1');
  if (pages) views.get('PageControl1')?.show(pages);
  requestLimits();
}

// Menus: the titles and the items the browser edition offers so far.
const menus: [string, string[]][] = [
  ['File1', ['Open', 'Save', 'SaveAs', 'Printpreview1', 'Print', 'CopytoClipboard1']],
  ['Edit1', ['Undo', 'Redo']],
  ['Options', ['Standard', 'Expert', 'Baudratemode']],
  ['Help1', ['Help2', 'About']],
];

const fileInput = element('input');

// The recent projects, at the end of the File menu as the desktop program
// has them above Exit: "1 name", newest first.
const recentList = element('div', 'recent');

function showRecent(names: string[]): void {
  recentList.hidden = !names.length;
  recentList.replaceChildren(...names.map((name, index) => {
    const item = element('button', 'item');
    item.type = 'button';
    item.dataset.control = `Recent${index + 1}`;
    item.title = `${name} as this browser last opened or saved it`;
    item.append(element('span', 'caption', `${index + 1} ${name}`), element('span', 'shortcut'));
    item.addEventListener('click', () => {
      (recentList.parentElement as HTMLElement).hidden = true;
      void run((answer) => model.openRecent(index, answer));
    });
    return item;
  }));
}

function menuBar(): HTMLElement {
  const bar = element('nav', 'menubar');
  bar.setAttribute('role', 'menubar');
  for (const [title, items] of menus) {
    const menu = element('div', 'menu');
    const button = element('button', 'title', states.get(title)?.caption);
    button.type = 'button';
    button.dataset.menu = title;
    const list = element('div', 'items');
    list.setAttribute('role', 'menu');
    list.hidden = true;
    button.addEventListener('click', () => {
      const wasHidden = list.hidden;
      bar.querySelectorAll<HTMLElement>('.items').forEach((l) => (l.hidden = true));
      list.hidden = !wasHidden;
    });
    for (const name of items) {
      const item = element('button', 'item');
      item.type = 'button';
      item.dataset.control = name;
      const caption = element('span', 'caption');
      const shortcut = element('span', 'shortcut');
      item.append(caption, shortcut);
      item.addEventListener('click', () => {
        list.hidden = true;
        if (name === 'Printpreview1' || name === 'Print') {
          showSheet(name === 'Print');
          return;
        }
        if (name === 'CopytoClipboard1') {
          void copySheetOnce();
          return;
        }
        void run((answer) => model.clickMenu(name, answer));
      });
      register(name, {
        show(state) {
          item.hidden = !state.visible;
          item.disabled = !state.enabled;
          item.setAttribute('role', state.grouped ? 'menuitemradio' : 'menuitem');
          if (state.grouped) item.setAttribute('aria-checked', String(!!state.checked));
          const radioMark = state.grouped ? (state.checked ? '\u25CF ' : '\u2003') : '';
          caption.textContent = radioMark + (state.caption ?? '');
          shortcut.textContent = state.shortcut ?? '';
        },
      });
      list.append(item);
    }
    if (title === 'File1') list.append(recentList);
    menu.append(button, list);
    bar.append(menu);
  }
  const closeAll = () => bar.querySelectorAll<HTMLElement>('.items').forEach((l) => (l.hidden = true));
  document.addEventListener('click', (event) => {
    if (!bar.contains(event.target as Node)) closeAll();
  });
  document.addEventListener('keydown', (event) => {
    if (event.key === 'Escape') closeAll();
  });
  return bar;
}

function projectGroup(): HTMLElement {
  const group = element('fieldset', 'project');
  const legend = element('legend');
  legend.append(label('GroupBox5'));
  group.append(legend, edit('Ed_Project'), label('Lbl_Date'));
  return group;
}

function bottom(): HTMLElement {
  const view = element('div', 'bottom');
  const indicator = element('div', 'indicator');
  indicator.dataset.control = 'BAR_Reaction';
  indicator.setAttribute('role', 'progressbar');
  const fill = element('div', 'fill');
  indicator.append(fill);
  register('BAR_Reaction', {
    show(state) {
      mirrorCommon(indicator, state);
      const maximum = Math.max(state.maximum ?? 1, 1);
      indicator.setAttribute('aria-valuemax', String(maximum));
      indicator.setAttribute('aria-valuenow', String(state.shown));
      indicator.dataset.position = String(state.position);
      fill.style.width = `${(100 * (state.shown ?? 0)) / maximum}%`;
    },
  });
  const status = element('div', 'status');
  status.dataset.control = 'SB_Status';
  const panels = [element('div', 'panel'), element('div', 'panel')];
  panels.forEach((panel, index) => (panel.dataset.panel = String(index)));
  status.append(...panels);
  register('SB_Status', {
    show(state) {
      mirrorCommon(status, state);
      panels.forEach((panel, index) => (panel.textContent = state.panels?.[index] ?? ''));
      status.classList.toggle('red', !!state.red);
    },
  });
  view.append(indicator, status);
  return view;
}

function textSelected(): boolean {
  const focused = document.activeElement;
  if (focused instanceof HTMLInputElement && focused.type === 'text') return true;
  return !!window.getSelection()?.toString();
}

// The control a key goes to: the focused one, or the window.
function focusedControl(): string {
  const focused = document.activeElement?.closest<HTMLElement>('[data-control]');
  return focused?.dataset.control ?? '';
}

function keys(event: KeyboardEvent): void {
  if (boxOpen) return;
  if (event.key === 'F1') {
    event.preventDefault();
    const name = event.ctrlKey ? 'Help2' : focusedControl();
    void run((answer) => (event.ctrlKey ? model.clickMenu(name, answer) : model.contextHelp(name)));
    return;
  }
  // A browser in a window of its own keeps Ctrl+PgDown for its own tabs:
  // Alt+PgDown steps the pages there.
  if ((event.ctrlKey || event.altKey) && (event.key === 'PageDown' || event.key === 'PageUp')) {
    event.preventDefault();
    setLimitsShown(false);
    void run(() => model.stepPage(event.key === 'PageDown' ? 1 : -1));
  } else if (event.ctrlKey && !event.shiftKey && event.key.toLowerCase() === 'o') {
    event.preventDefault();
    void run((answer) => model.clickMenu('Open', answer));
  } else if (event.ctrlKey && !event.shiftKey && event.key.toLowerCase() === 'c' && !textSelected()) {
    // In a field, or with text selected, the browser's own copy.
    event.preventDefault();
    void copySheetOnce();
  } else if (event.ctrlKey && !event.shiftKey && ['p', 'r'].includes(event.key.toLowerCase())) {
    event.preventDefault();
    showSheet(event.key.toLowerCase() === 'p');
  } else if (event.ctrlKey && !event.shiftKey && event.key.toLowerCase() === 's') {
    event.preventDefault();
    void run((answer) => model.clickMenu('Save', answer));
  }
}

// The settings file's place, and that of the recent projects' files: the
// browser's local storage, as text of one character a byte.
const settingsKey = 'QntCalc.ini';
const projectsKey = 'QntCalc.projects';

function asText(bytes: Uint8Array): string {
  let text = '';
  for (let i = 0; i < bytes.length; i += 8192) text += String.fromCharCode(...bytes.subarray(i, i + 8192));
  return text;
}

function asBytes(text: string): Uint8Array {
  return Uint8Array.from(text, (c) => c.charCodeAt(0) & 0xff);
}

function stored(key: string): string {
  try {
    return localStorage.getItem(key) ?? '';
  } catch {
    return ''; // storage the browser keeps from the page: a first start
  }
}

function readSettings(): Uint8Array {
  return asBytes(stored(settingsKey));
}

function keepSettings(bytes: Uint8Array | null): void {
  if (!bytes) return;
  try {
    localStorage.setItem(settingsKey, asText(bytes));
  } catch {
    // Full or refused: the next visit starts as the first.
  }
}

// What is not JSON of paths and texts is left out; the model checks the rest.
function readProjects(): KeptFile[] {
  try {
    const kept: unknown = JSON.parse(stored(projectsKey) || '[]');
    if (!Array.isArray(kept)) return [];
    return kept.filter((file): file is { path: string; text: string } =>
      typeof file?.path === 'string' && typeof file?.text === 'string')
      .map((file) => ({ path: file.path, bytes: asBytes(file.text) }));
  } catch {
    return [];
  }
}

// As many of the newest as the storage takes; one it has no room for is
// missing at the next visit, and its menu item says so when chosen.
function keepProjects(files: KeptFile[]): void {
  const kept: { path: string; text: string }[] = [];
  try {
    localStorage.removeItem(projectsKey);
    for (const file of files) {
      kept.push({ path: file.path, text: asText(file.bytes) });
      try {
        localStorage.setItem(projectsKey, JSON.stringify(kept));
      } catch {
        kept.pop();
      }
    }
  } catch {
    // Storage refused: nothing is kept.
  }
}

// The page carries the WebAssembly as a data: URL. Where it cannot be read
// as it is compiled (a server whose policy refuses fetching, an older
// browser), its text is decoded here.
async function compileModel(): Promise<WebAssembly.Module> {
  try {
    return await WebAssembly.compileStreaming(fetch(wasmUrl));
  } catch {
    const text = atob(wasmUrl.slice(wasmUrl.indexOf(',') + 1));
    return WebAssembly.compile(Uint8Array.from(text, (c) => c.charCodeAt(0)));
  }
}

async function start(): Promise<void> {
  compiled = await compileModel();
  const module = await instantiate(compiled);
  const today = new Date().toLocaleDateString();
  model = new module.MainWindow(today, readSettings(), readProjects());
  bytesToRead = module.bytesToRead();
  model.controls().forEach((state) => states.set(state.name, state));

  fileInput.type = 'file';
  fileInput.accept = '.ini';
  fileInput.hidden = true;
  fileInput.dataset.control = 'OpenFile';
  const picked = (file: File | null) => {
    filePicked?.(file);
    filePicked = null;
  };
  fileInput.addEventListener('change', () => {
    const file = fileInput.files?.[0] ?? null;
    fileInput.value = '';
    picked(file);
  });
  fileInput.addEventListener('cancel', () => picked(null));

  const app = document.getElementById('app')!;
  app.replaceChildren(menuBar(), projectGroup(), pages(module.pageLayout()), bottom(), fileInput);
  showRecent(model.recentProjects());
  document.title = states.get('MasterForm')?.caption ?? document.title;

  document.addEventListener('keydown', keys);
  document.addEventListener('dragover', (event) => event.preventDefault());
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    const file = event.dataTransfer?.files[0];
    if (file) void openFile(file);
  });
  window.addEventListener('beforeunload', (event) => {
    if (model.modified()) event.preventDefault();
  });
  window.addEventListener('pagehide', () => keepSettings(model.close()));
  app.removeAttribute('aria-busy');
  document.body.dataset.ready = String(Math.round(performance.now()));
  void run(() => model.started());
}

start().catch((error: unknown) => {
  const app = document.getElementById('app')!;
  app.textContent = `QntCalc could not start: ${error instanceof Error ? error.message : String(error)}`;
  app.classList.add('failed');
});
