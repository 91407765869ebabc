// The few things every view does with the document.

// `$(id)`: the element of that id under `root`.
export const finder = (root) => (id) => root.querySelector(`#${id}`);

// One list item for each text.
export function listItems(texts) {
  return texts.map((text) => {
    const item = document.createElement('li');
    item.textContent = text;
    return item;
  });
}

// An option of a select.
export function option(value, text) {
  const element = document.createElement('option');
  element.value = value;
  element.textContent = text;
  return element;
}
