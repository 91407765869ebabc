// Hands bytes, text or a blob to the browser as a download. The link's
// blob: address is the page's own and lives only for the download.
export function save(data, filename, type = 'application/octet-stream') {
  const blob = data instanceof Blob ? data : new Blob([data], { type });
  const url = URL.createObjectURL(blob);
  const link = document.createElement('a');
  link.href = url;
  link.download = filename;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
}

// Saves a canvas as a PNG file.
export function savePng(canvas, filename) {
  canvas.toBlob((blob) => save(blob, filename), 'image/png');
}
