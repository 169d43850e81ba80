#use domaincheck
// the greatest of its arguments, of any number of them
function max(){
  domaincheck("max",arguments);
  return Math.max.apply(null,arguments);
}
